#pragma once

#include "documents/WaveDocument.h"

#include <cstdint>

namespace kx {

/// A stretch of the sample data, in bytes.
struct ByteRange {
    uint32_t start = 0;
    uint32_t length = 0;

    uint32_t end() const { return start + length; }
    bool operator==(const ByteRange&) const = default;
};

inline bool isEightBit(const WaveHeader& header)
{
    return header.wBitsPerSample == 8;
}

/// Bytes of one sample value: 1 for 8-bit data, 2 for anything else.
inline uint32_t sampleBytes(const WaveHeader& header)
{
    return isEightBit(header) ? 1 : 2;
}

/// Bytes of one frame; never 0, so a damaged header cannot divide by zero.
inline uint32_t frameBytes(const WaveHeader& header)
{
    return header.nBlockAlign ? header.nBlockAlign : sampleBytes(header);
}

/// The mark when something is marked, else the whole file; never reaching past the data.
ByteRange workingRange(const WaveDocument& document);
/// The same for data of `size` bytes that is not in memory (a file streamed block by block).
ByteRange workingRange(uint32_t size, const MarkRecord& mark);
/// The mark alone (empty when nothing is marked), never reaching past the data.
ByteRange markRange(const WaveDocument& document);
ByteRange markRange(uint32_t size, const MarkRecord& mark);
/// The bytes of the data present in memory (the header's size, no more than the block holds).
uint32_t presentData(const WaveDocument& document);
/// The whole sample values the filters touch for `range`: 16-bit values from start/2 up to, not
/// including, end/2.
ByteRange wholeSamples(const WaveHeader& header, ByteRange range);
/// The whole frames inside `range`; with one channel, the same as wholeSamples.
ByteRange wholeFrames(const WaveHeader& header, ByteRange range);

} // namespace kx
