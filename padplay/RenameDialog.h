#pragma once

#include <QDialog>

class QLineEdit;

namespace kx::padplay {

/// "Register - Page n": shows a page's name and takes a new one of up to 31 characters.
class RenameDialog : public QDialog {
public:
    RenameDialog(int page, const QString& name, QWidget* parent);

    QString newName() const;
    QLineEdit* nameEdit() const { return m_newName; }

private:
    QLineEdit* m_newName;
};

} // namespace kx::padplay
