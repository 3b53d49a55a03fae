#pragma once

#include "AudioOutput.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace kx {

/// One waveform input device, open for one PCM format, delivering what it captures in blocks
/// of a twentieth of a second.
///
/// Life: open() once, start() with a handler, stop(), close() (also done by the destructor).
/// The handler runs on the input's own capture thread, never a real-time one, so it may write to
/// a file; it is never called after stop() returned and must not call back into this object.
class AudioInput {
public:
    using BlockHandler = std::function<void(std::span<const uint8_t>)>;

    virtual ~AudioInput() = default;

    virtual DeviceStatus open(const PcmFormat& format) = 0;
    virtual DeviceStatus start(BlockHandler onBlock) = 0;
    virtual void stop() = 0;
    virtual void close() = 0;
    /// The backend's reason when capturing broke off after start(); empty while all is well.
    virtual std::string captureError() const = 0;

    /// Frames in one delivered block.
    static unsigned long framesPerBlock(const PcmFormat& format) { return format.rate >= 20 ? format.rate / 20 : 1; }
};

/// Makes the input for a device id (-1: the default device).
using InputFactory = std::function<std::unique_ptr<AudioInput>(int32_t deviceId)>;

} // namespace kx
