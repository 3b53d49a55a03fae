#pragma once

#include <cstdint>
#include <string>

namespace kx {

struct WaveHeader;

/// Byte offsets of a document as the position bar shows and takes them: times in milliseconds at
/// the document's data rate (`nAvgBytesPerSec`).
namespace positiontimes {

    /// truncate(bytes / rate * 1000); 0 for a rate of 0.
    uint64_t millisecondsOf(uint64_t bytes, uint32_t bytesPerSecond);
    /// ms × rate / 1000, rounded down to the start of a frame of `blockAlign` bytes, so that a mark
    /// typed as a time never splits a frame.
    uint64_t bytesOf(uint64_t milliseconds, uint32_t bytesPerSecond, uint16_t blockAlign);
    /// "%02lu m %02lu.%03lu s".
    std::string text(uint64_t milliseconds);

    /// A mark typed as a start and a length, cut to the file: the start at most the end of the
    /// data, the length at most what is left after the start.
    struct TypedMark {
        uint32_t start = 0;
        uint32_t length = 0;
        bool cut = false; ///< the typed times reached past the file
    };
    TypedMark markOf(uint64_t startMilliseconds, uint64_t lengthMilliseconds, const WaveHeader& header);

} // namespace positiontimes

} // namespace kx
