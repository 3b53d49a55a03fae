#include "Silence.h"

#include "SampleAccess.h"

#include <algorithm>
#include <cstring>

namespace kx {

namespace {

    void fillSilence(const WaveHeader& header, uint8_t* bytes, std::size_t length)
    {
        // 16-bit silence is 0: clearing whole values only, so an odd tail byte keeps its value.
        if (isEightBit(header))
            std::memset(bytes, kSilenceByte8, length);
        else
            std::memset(bytes, 0, length / 2 * 2);
    }

} // namespace

BlockChange silenceChange(const WaveHeader& header, ByteRange mark)
{
    return { wholeSamples(header, mark), sampleBytes(header),
        [header](std::span<uint8_t> bytes, std::size_t, uint8_t* copy) {
            copyOriginal(copy, std::span<const uint8_t>(bytes));
            fillSilence(header, bytes.data(), bytes.size());
        } };
}

FilterStatus setSilence(WaveDocument& document, const FilterControl& control)
{
    if (document.mark.markLength == 0)
        return FilterStatus::Refused;
    return changeByBlocks(document, silenceChange(document.header, markRange(document)), "Silence", control);
}

uint64_t silenceLength(const WaveHeader& header, uint32_t sec, uint32_t ms)
{
    const uint64_t bytesPerMs = uint64_t(double(header.nAvgBytesPerSec) * double(0.001f));
    const uint64_t length = (uint64_t(sec) * 1000 + ms) * bytesPerMs;
    return length - length % frameBytes(header);
}

FilterStatus insertSilence(WaveDocument& document, uint32_t sec, uint32_t ms)
{
    const uint64_t inserted = silenceLength(document.header, sec, ms);
    const uint32_t oldSize = uint32_t(std::min<std::size_t>(document.header.dataSize, document.samples.size()));
    if (oldSize + inserted > UINT32_MAX - 36) {
        UndoStore::forbid(document);
        return FilterStatus::OutOfMemory;
    }
    const uint32_t at = std::min(document.mark.markStart, oldSize);
    UndoStore::save(document, at, uint32_t(inserted), UndoInserted, "Insert Silence");
    if (!document.samples.resize(oldSize + inserted)) {
        UndoStore::withdraw(document);
        return FilterStatus::OutOfMemory;
    }
    document.mark.markStart = at;
    document.header.setDataSize(uint32_t(oldSize + inserted));
    uint8_t* data = document.samples.data();
    std::memmove(data + at + inserted, data + at, oldSize - at);
    fillSilence(document.header, data + at, inserted);
    return FilterStatus::Done;
}

} // namespace kx
