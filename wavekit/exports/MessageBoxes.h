#pragma once

#include "wavekit/wavekit.h"

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace kx {

/// One message box as the library asks for it.
struct MessageBoxRequest {
    /// Only for requests made on the interface thread.
    QWidget* owner = nullptr;
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    /// The owner of a request from any thread: resolved on the interface thread when the box is
    /// shown, so a window closed meanwhile leaves the box without an owner.
    HWND ownerHandle = nullptr;
    /// Texts that replace the standard ones of some of the buttons.
    QList<QPair<QMessageBox::StandardButton, QString>> buttonTexts = {};
};

/// Shows every message box of the library, on the user-interface thread whichever thread asks,
/// and returns the button pressed. Tests install a presenter that answers instead of a person.
class MessageBoxes {
public:
    using Presenter = std::function<QMessageBox::StandardButton(const MessageBoxRequest&)>;

    static QMessageBox::StandardButton show(const MessageBoxRequest& request);
    /// Replaces the presenter; an empty one restores the real message boxes.
    static void setPresenter(Presenter presenter);
};

} // namespace kx
