#include "PlayerPrompts.h"

#include "RenameDialog.h"

#include <QFileDialog>

namespace kx::padplay {

QMessageBox::StandardButton PlayerPrompts::ask(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
    const QString& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    return QMessageBox::StandardButton(box.exec());
}

void PlayerPrompts::tell(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    QMessageBox(icon, caption, text, QMessageBox::Ok, parent).exec();
}

QString PlayerPrompts::openFileName(
    QWidget* parent, const QString& title, const QString& directory, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, directory, filter);
}

QString PlayerPrompts::saveFileName(
    QWidget* parent, const QString& title, const QString& directory, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, directory, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

std::optional<QString> PlayerPrompts::pageName(QWidget* parent, int page, const QString& name)
{
    RenameDialog dialog(page, name, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.newName();
}

} // namespace kx::padplay
