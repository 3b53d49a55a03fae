#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kx {

/// Where an output device gets its bytes: PCM data in the format the device was opened with.
class AudioSource {
public:
    virtual ~AudioSource() = default;

    /// Fills the front of `out` with the next whole frames and returns how many bytes it wrote;
    /// 0 means the source has ended. Called from one thread at a time, never a real-time thread.
    virtual std::size_t read(std::span<uint8_t> out) = 0;
};

} // namespace kx
