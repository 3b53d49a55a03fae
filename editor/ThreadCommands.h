#pragma once

#include "wavekit/wavekit.h"

namespace kx {

/// A command that runs a library operation on a worker thread.
struct ThreadCommand {
    int id;
    /// Asks for the operation's parameters first; null when it has none. Returns 0 when cancelled.
    int32_t (*dialog)(HWND frame);
    /// The operation's thread routine; it is handed the wave window it works on.
    int32_t (*routine)(HWND wave);
    /// The operation's name code in the thread manager.
    int operationCode;
};

/// The thread command with this id, null when `id` is not one.
const ThreadCommand* findThreadCommand(int id);

/// A command that runs a library routine directly on the interface thread, with the busy cursor;
/// afterwards the frame recomputes the window's scroll range and repaints it and the bars.
struct DirectCommand {
    int id;
    /// Returns nonzero when it changed the document.
    int32_t (*action)(HWND frame, HWND wave);
    /// Needs an active window that is not working.
    bool guarded;
};

const DirectCommand* findDirectCommand(int id);

} // namespace kx
