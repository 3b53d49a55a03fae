#pragma once

#include "wavekit/wavekit.h"

#include <atomic>
#include <memory>

namespace kx {

/// Thrown by BreakThread to unwind an operation; the thread that runs the operation catches it.
struct OperationBroken { };

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
    /// The flag behind stopRequested, for work that polls it itself; null off operation threads.
    static const std::atomic<bool>* stopFlag();
    /// Notes that the calling operation has sent its start message (1164).
    static void noteStartAnnounced();
    /// Sends the end message (1165 with the thread's id) once per operation, and only after its
    /// start message: the running count counts operations that announced themselves.
    static void announceEnd(HWND frame);

    /// While the calling thread handles a message an operation thread sent: that operation's
    /// thread id; 0 otherwise.
    static uint32_t messageSender();
    /// Sets what messageSender answers on the calling thread; returns the previous value.
    static uint32_t setMessageSender(uint32_t threadId);

    std::shared_ptr<std::atomic<bool>> stop = std::make_shared<std::atomic<bool>>(false);
    bool startAnnounced = false;
    bool endAnnounced = false;
    /// The system-wide id of the operation's thread, the key of its end message.
    uint32_t threadId = 0;
};

} // namespace kx
