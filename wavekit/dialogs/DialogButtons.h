#pragma once

#include <QPushButton>

class QBoxLayout;
class QDialog;
class QHBoxLayout;

namespace kx {

/// The row of push buttons under a dialog's controls; the first one added is the default.
class DialogButtons {
public:
    DialogButtons(QDialog* dialog, QBoxLayout* layout);
    /// A button named `name` (tests find it by that name).
    QPushButton* add(const QString& text, const char* name);

private:
    QDialog* m_dialog;
    QHBoxLayout* m_row;
    bool m_first = true;
};

} // namespace kx
