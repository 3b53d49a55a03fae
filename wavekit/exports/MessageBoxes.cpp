#include "MessageBoxes.h"

#include "InterfaceThread.h"
#include "WindowRegistry.h"
#include "wavekit/wavekit.h"

#include <QAbstractButton>
#include <QApplication>

#include <mutex>

namespace kx {

namespace {

std::mutex g_presenterMutex;
MessageBoxes::Presenter g_presenter;

/// The message texts break their lines with a carriage return, which a label would not show.
QString shownText(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QMessageBox::StandardButton showOnThisThread(const MessageBoxRequest& request)
{
    QWidget* owner = request.owner ? request.owner : WindowRegistry::window(request.ownerHandle);
    QMessageBox box(request.icon, request.caption, shownText(request.text), request.buttons, owner);
    for (const auto& [button, text] : request.buttonTexts) {
        if (QAbstractButton* shown = box.button(button))
            shown->setText(text);
    }
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

void MessageBoxes::setPresenter(Presenter presenter)
{
    std::lock_guard lock(g_presenterMutex);
    g_presenter = std::move(presenter);
}

QMessageBox::StandardButton MessageBoxes::show(const MessageBoxRequest& request)
{
    Presenter presenter;
    {
        std::lock_guard lock(g_presenterMutex);
        presenter = g_presenter;
    }
    if (presenter)
        return presenter(request);
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app) {
        // No user interface in this process (a tool): the text goes to the error stream.
        qWarning("%s: %s", qPrintable(request.caption), qPrintable(request.text));
        return QMessageBox::Ok;
    }
    QMessageBox::StandardButton result = QMessageBox::NoButton;
    callOnThreadOf(app, [&] { result = showOnThisThread(request); });
    return result;
}

} // namespace kx

extern "C" {

int32_t ErrorBox(HWND owner, const char* text)
{
    return kx::MessageBoxes::show({nullptr, QStringLiteral("Warning..."), QString::fromUtf8(text ? text : ""),
                                   QMessageBox::Critical, QMessageBox::Ok, owner});
}

int32_t ExceptionBox(HWND owner, const char* function)
{
    const QString text = QStringLiteral("An handled exception occured in function %1.\nSave your work and restart "
                                        "Kestrix as soon as possible.")
                             .arg(QString::fromUtf8(function ? function : ""));
    return kx::MessageBoxes::show({nullptr, QStringLiteral("Kestrix2000 Exception Handling..."), text,
                                   QMessageBox::Information, QMessageBox::Ok, owner});
}

} // extern "C"
