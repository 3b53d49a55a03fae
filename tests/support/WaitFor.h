#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

namespace kx::test {

/// Runs the event loop until `condition` holds; false after `ms` milliseconds without it.
template <typename Condition> bool waitFor(Condition condition, int ms = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

} // namespace kx::test
