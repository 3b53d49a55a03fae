#include "InterfaceThread.h"

#include <QApplication>
#include <QThread>

namespace kx {

bool runOnInterfaceThread(const std::function<void()>& work)
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app)
        return false;
    if (QThread::currentThread() == app->thread())
        work();
    else
        QMetaObject::invokeMethod(app, work, Qt::BlockingQueuedConnection);
    return true;
}

} // namespace kx
