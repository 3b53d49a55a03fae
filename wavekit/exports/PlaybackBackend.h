#pragma once

#include "devices/AudioInput.h"
#include "devices/AudioOutput.h"
#include "devices/DeviceCapabilities.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kx {

/// Where the library's playback, device lists and capability queries go: the PortAudio backend
/// unless a test (or a benchmark) installs another one, such as the in-process test device.
struct PlaybackBackend {
    OutputFactory outputs;
    /// Product names of the output devices, in id order.
    std::function<std::vector<std::string>()> outputNames;
    std::function<DeviceCapabilities(int32_t deviceId, DeviceDirection direction)> capabilities;
    /// Where recording captures; empty: the PortAudio inputs.
    InputFactory inputs;

    static PlaybackBackend portAudio();

    /// The backend in use now (a copy, safe to use from any thread).
    static PlaybackBackend current();
    /// Replaces the backend for outputs opened from now on; an empty `outputs` restores PortAudio.
    static void install(PlaybackBackend backend);
};

} // namespace kx
