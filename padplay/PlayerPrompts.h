#pragma once

#include <QMessageBox>
#include <QString>
#include <optional>

namespace kx::padplay {

/// Everything the player asks the user in a box of its own: questions, notices and file names.
/// Tests put their answers in its place.
class PlayerPrompts {
public:
    virtual ~PlayerPrompts() = default;

    virtual QMessageBox::StandardButton ask(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
        const QString& text, QMessageBox::StandardButtons buttons);
    virtual void tell(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text);
    /// An existing file, or empty when the user cancelled.
    virtual QString openFileName(
        QWidget* parent, const QString& title, const QString& directory, const QString& filter);
    /// A name to save under (not asked about when it exists), or empty when the user cancelled.
    virtual QString saveFileName(
        QWidget* parent, const QString& title, const QString& directory, const QString& filter);
    /// The page's new name, or nothing when the user cancelled.
    virtual std::optional<QString> pageName(QWidget* parent, int page, const QString& name);
};

} // namespace kx::padplay
