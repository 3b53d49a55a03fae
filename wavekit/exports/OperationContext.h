#pragma once

#include "wavekit/wavekit.h"

#include <atomic>
#include <memory>

namespace kx {

/// Thrown by BreakThread to unwind an operation; the thread that runs the operation catches it.
struct OperationBroken {};

/// Private message numbers the library exchanges with the frame about operations.
enum OperationMessage : uint32_t {
    MsgGetActiveWave = 1137,
    MsgOperationStarts = 1164,
    MsgOperationEnds = 1165,
    MsgGetFrame = 1174,
};

/// What an operation thread knows about itself: whether it has been asked to stop, and whether it
/// has announced its end. Each operation thread has one; other threads have none.
class OperationContext {
public:
    /// The calling thread's context, or null when it is not an operation thread.
    static OperationContext* current();
    /// Makes `context` the calling thread's (null clears it).
    static void setCurrent(OperationContext* context);

    /// True once the operation should give up (its window closed or the editor is exiting).
    /// Operations poll it between blocks.
    static bool stopRequested();
    /// Sends the end message (1165 with the thread's id) once per operation.
    static void announceEnd(HWND frame);

    std::shared_ptr<std::atomic<bool>> stop = std::make_shared<std::atomic<bool>>(false);
    bool endAnnounced = false;
    /// The system-wide id of the operation's thread, the key of its end message.
    uint32_t threadId = 0;
};

} // namespace kx
