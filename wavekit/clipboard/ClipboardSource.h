#pragma once

#include "documents/WaveHeader.h"

#include <cstdint>
#include <span>

namespace kx {

/// Sound on its way from the clipboard into a document: its format and length (header().dataSize
/// bytes), handed over front to back.
class ClipboardSource {
public:
    virtual ~ClipboardSource() = default;

    virtual const WaveHeader& header() const = 0;
    /// Fills `bytes` with the next bytes of the sound. False on an input error or when fewer bytes
    /// are left than asked for.
    virtual bool read(std::span<uint8_t> bytes) = 0;
};

} // namespace kx
