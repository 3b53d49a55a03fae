#pragma once

#include <QDialog>

namespace kx {

/// "Kestrix98 Extension Setup": installs the carried Internet extension on "Install", or leaves
/// everything as it is on "Exit".
class SetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit SetupDialog(QWidget* parent = nullptr);

    /// "Install": writes and registers the extension, says how that went, and ends the dialog
    /// when it went well.
    void install();
};

} // namespace kx
