#pragma once

#include "devices/Player.h"
#include "wavekit/wavekit.h"

#include <cstdint>
#include <functional>
#include <memory>

/// Inside the suite the handle types are complete, like HWND__; a handle is a table number,
/// never an address, so a stale or forged one finds nothing instead of freed memory.
struct HWAVEOUT__ {
    char unused;
};
struct HWAVEPLAY__ {
    char unused;
};

namespace kx {

/// One output handed out by OpenOutput.
struct OutputSlot {
    OutputSlot(OutputFactory factory, uint32_t deviceId)
        : player(std::move(factory))
        , deviceId(deviceId)
    {
    }

    Player player;
    uint32_t deviceId;
    HWAVEPLAY play = nullptr; ///< the playback PlayWAV queued, null before
};

/// The open outputs of the process by handle. Every use of a slot happens under the table's lock,
/// so the play-position display may ask for a position from its own thread while the interface
/// thread closes the output.
class OutputHandles {
public:
    static HWAVEOUT add(std::unique_ptr<OutputSlot> slot);
    /// Runs `action` on the slot under the lock; false when the handle names no open output.
    static bool use(HWAVEOUT handle, const std::function<void(OutputSlot&)>& action);
    /// Removes the slot and hands it over; null when the handle names none.
    static std::unique_ptr<OutputSlot> take(HWAVEOUT handle);
    /// A playback handle never handed out before.
    static HWAVEPLAY newPlay();
};

} // namespace kx
