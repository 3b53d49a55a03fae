#pragma once

#include <functional>

class QObject;

namespace kx {

/// Runs `work` on the user-interface thread and waits for it to finish (at once when called
/// there). False, without running it, when the process has no user interface.
bool runOnInterfaceThread(const std::function<void()>& work);

/// Runs `work` on the thread of `receiver` and waits for it to finish (at once when called there);
/// dropped when the receiver goes away first.
void callOnThreadOf(QObject* receiver, const std::function<void()>& work);

/// Queues `work` for the thread of `receiver` and returns at once; dropped when the receiver goes
/// away first.
void postToThreadOf(QObject* receiver, std::function<void()> work);

} // namespace kx
