#pragma once

#include "StreamingCopy.h"
#include "WorkingRange.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace kx {

/// A filter's change of the samples of one range, a block at a time, wherever the bytes are: the
/// document's own data or blocks read from a file on their way to another. Each filter computes its
/// parameters once and applies the same arithmetic either way.
struct BlockChange {
    /// The bytes that change; the rest of the data stays as it is.
    ByteRange range;
    /// Blocks begin on multiples of this many bytes from the range's start; range.length is one too.
    uint32_t grain = 1;
    /// Changes the block `bytes` lying `offset` bytes into the range; with `copy` (not null), the
    /// block's original bytes go there on the way. Empty: nothing changes. It keeps no state between
    /// calls, so disjoint blocks may be changed at the same time on different threads.
    std::function<void(std::span<uint8_t> bytes, std::size_t offset, uint8_t* copy)> change;
};

/// A BlockChange's function from fn(samples, firstIndex, copy), called with std::span<uint8_t>
/// and uint8_t* for 8-bit data, std::span<int16_t> and int16_t* otherwise; firstIndex counts
/// samples from the range's start.
template <class Fn> decltype(BlockChange::change) sampleChange(const WaveHeader& header, Fn fn)
{
    if (isEightBit(header))
        return [fn](std::span<uint8_t> bytes, std::size_t offset, uint8_t* copy) { fn(bytes, offset, copy); };
    // Blocks and their copies begin on even addresses (heap blocks, even offsets).
    return [fn](std::span<uint8_t> bytes, std::size_t offset, uint8_t* copy) {
        fn(std::span<int16_t>(reinterpret_cast<int16_t*>(bytes.data()), bytes.size() / 2), offset / 2,
            reinterpret_cast<int16_t*>(copy));
    };
}

/// Puts the samples' values into `copy` (null: nowhere) before a change that is no fused kernel.
template <class Sample> void copyOriginal(Sample* copy, std::span<const Sample> samples)
{
    if (copy)
        copyPastCache(
            reinterpret_cast<uint8_t*>(copy), reinterpret_cast<const uint8_t*>(samples.data()), samples.size_bytes());
}

} // namespace kx
