#include "MessageBoxes.h"

#include "InterfaceThread.h"
#include "WindowRegistry.h"
#include "wavekit/wavekit.h"

#include <QApplication>

#include <mutex>

namespace kx {

namespace {

std::mutex g_presenterMutex;
MessageBoxes::Presenter g_presenter;

QMessageBox::StandardButton showOnThisThread(const MessageBoxRequest& request)
{
    QMessageBox box(request.icon, request.caption, request.text, request.buttons, request.owner);
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
    return kx::MessageBoxes::show({kx::WindowRegistry::window(owner), QStringLiteral("Warning..."),
                                   QString::fromUtf8(text ? text : ""), QMessageBox::Critical, QMessageBox::Ok});
}

int32_t ExceptionBox(HWND owner, const char* function)
{
    const QString text = QStringLiteral("An handled exception occured in function %1.\nSave your work and restart "
                                        "Kestrix as soon as possible.")
                             .arg(QString::fromUtf8(function ? function : ""));
    return kx::MessageBoxes::show({kx::WindowRegistry::window(owner),
                                   QStringLiteral("Kestrix2000 Exception Handling..."), text,
                                   QMessageBox::Information, QMessageBox::Ok});
}

} // extern "C"
