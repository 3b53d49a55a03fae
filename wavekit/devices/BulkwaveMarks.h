#pragma once

#include <cstdint>
#include <string>

namespace kx {

/// The start and end marks of the Bulkwave loader, each in milliseconds and in bytes of sample
/// data, 64-bit so that positions past 4 GB never wrap. A length of 0 means "to the end".
struct BulkwaveMarks {
    uint64_t startMs = 0;
    uint64_t endMs = 0;
    uint64_t startBytes = 0;
    uint64_t endBytes = 0;
    uint64_t lengthBytes = 0;

    /// A start at or past the end clears the end, so the part runs to the end of the file.
    void setStart(uint64_t ms, uint64_t bytes);
    /// An end before the start clears the start, so the part runs from the beginning.
    void setEnd(uint64_t ms, uint64_t bytes);
};

namespace bulkwave {

    /// The play position for a click `pixel` (0..155) pixels into the seek strip of a file of
    /// `lengthMs`: whole tenths of the file's hundredths, in single precision as the strip always
    /// computed it: pixel 31 of 60 s gives 11 900 ms, pixel 155 gives 59 900 ms.
    uint64_t seekMilliseconds(uint64_t lengthMs, int pixel);
    /// The x of the position marker, 150..300, for a position in a file of `lengthMs`.
    int markerX(uint64_t positionMs, uint64_t lengthMs);
    /// "MM:SS.t": minutes, seconds and tenths.
    std::string timeText(uint64_t ms);
    /// The title of the `counter`th part loaded from `fileName`.
    std::string partTitle(const std::string& fileName, uint32_t counter);

} // namespace bulkwave

} // namespace kx
