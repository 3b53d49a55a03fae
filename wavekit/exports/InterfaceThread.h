#pragma once

#include <functional>

namespace kx {

/// Runs `work` on the user-interface thread and waits for it to finish (at once when called
/// there). False, without running it, when the process has no user interface.
bool runOnInterfaceThread(const std::function<void()>& work);

} // namespace kx
