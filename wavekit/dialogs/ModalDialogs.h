#pragma once

#include <functional>

class QDialog;

namespace kx {

/// Runs the library's modal dialogs. Tests install a driver that works the dialog's controls and
/// ends it instead of a person.
class ModalDialogs {
public:
    /// Gets the dialog, ready to show, and returns its result code.
    using Driver = std::function<int(QDialog&)>;

    /// The dialog's result: QDialog::Accepted or QDialog::Rejected.
    static int run(QDialog& dialog);
    /// Replaces the driver; an empty one shows the dialogs again.
    static void setDriver(Driver driver);
};

} // namespace kx
