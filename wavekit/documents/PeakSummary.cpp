#include "PeakSummary.h"

#include <algorithm>
#include <limits>

namespace kx {

namespace {

    constexpr std::pair<int, int> kEmpty { std::numeric_limits<int>::max(), std::numeric_limits<int>::min() };

    void widen(std::pair<int, int>& range, int low, int high)
    {
        range.first = std::min(range.first, low);
        range.second = std::max(range.second, high);
    }

    /// Level 0 entries of blocks [first, first + count): the peaks of each block's values.
    template <typename Value>
    void summariseBlocks(std::vector<Value>& level, const uint8_t* samples, uint32_t first, uint32_t count,
        uint32_t frames, uint16_t channels)
    {
        for (uint32_t block = first; block < first + count; ++block) {
            const uint64_t begin = uint64_t(block) * PeakSummary::kBlockFrames;
            const uint64_t end = std::min<uint64_t>(frames, begin + PeakSummary::kBlockFrames);
            for (uint16_t c = 0; c < channels; ++c) {
                int low = std::numeric_limits<int>::max();
                int high = std::numeric_limits<int>::min();
                for (uint64_t f = begin; f < end; ++f) {
                    int value;
                    if constexpr (sizeof(Value) == 1) {
                        value = int(samples[std::size_t(f) * channels + c]) - 128;
                    } else {
                        const uint8_t* pair = samples + (std::size_t(f) * channels + c) * 2;
                        value = int16_t(uint16_t(pair[0] | pair[1] << 8));
                    }
                    low = std::min(low, value);
                    high = std::max(high, value);
                }
                const std::size_t at = (std::size_t(block) * channels + c) * 2;
                level[at] = Value(low);
                level[at + 1] = Value(high);
            }
        }
    }

    template <typename Value> void buildCoarser(std::vector<std::vector<Value>>& levels, uint16_t channels)
    {
        while (levels.back().size() / (2u * channels) > 1) {
            const std::vector<Value>& finer = levels.back();
            const std::size_t entries = finer.size() / (2u * channels);
            const std::size_t coarseEntries = (entries + PeakSummary::kFanOut - 1) / PeakSummary::kFanOut;
            std::vector<Value> coarse(coarseEntries * 2u * channels);
            for (std::size_t e = 0; e < coarseEntries; ++e) {
                const std::size_t last = std::min(entries, (e + 1) * PeakSummary::kFanOut);
                for (uint16_t c = 0; c < channels; ++c) {
                    Value low = std::numeric_limits<Value>::max();
                    Value high = std::numeric_limits<Value>::min();
                    for (std::size_t f = e * PeakSummary::kFanOut; f < last; ++f) {
                        low = std::min(low, finer[(f * channels + c) * 2]);
                        high = std::max(high, finer[(f * channels + c) * 2 + 1]);
                    }
                    coarse[(e * channels + c) * 2] = low;
                    coarse[(e * channels + c) * 2 + 1] = high;
                }
            }
            levels.push_back(std::move(coarse));
        }
    }

} // namespace

PeakSummary::PeakSummary(uint16_t channels, uint16_t bitsPerSample, uint32_t frames)
    : m_channels(std::max<uint16_t>(channels, 1))
    , m_bits(bitsPerSample)
    , m_frames(frames)
{
    const std::size_t size = std::size_t(blocks()) * 2u * m_channels;
    if (m_bits == 16)
        m_wide.emplace_back(size);
    else
        m_narrow.emplace_back(size);
}

void PeakSummary::summarise(const uint8_t* samples, uint32_t first, uint32_t count)
{
    count = std::min(count, blocks() - std::min(first, blocks()));
    if (m_bits == 16)
        summariseBlocks(m_wide.front(), samples, first, count, m_frames, m_channels);
    else
        summariseBlocks(m_narrow.front(), samples, first, count, m_frames, m_channels);
}

void PeakSummary::finish()
{
    if (m_bits == 16)
        buildCoarser(m_wide, m_channels);
    else
        buildCoarser(m_narrow, m_channels);
}

int PeakSummary::valueAt(const uint8_t* samples, uint32_t frame, int channel) const
{
    const std::size_t index = std::size_t(frame) * m_channels + std::size_t(channel);
    if (m_bits != 16)
        return int(samples[index]) - 128;
    return int16_t(uint16_t(samples[index * 2] | samples[index * 2 + 1] << 8));
}

std::pair<int, int> PeakSummary::scan(const uint8_t* samples, uint32_t begin, uint32_t end, int channel) const
{
    end = std::min(end, m_frames);
    if (begin >= end)
        return { 0, 0 };
    std::pair<int, int> range = kEmpty;
    for (uint32_t f = begin; f < end; ++f) {
        const int value = valueAt(samples, f, channel);
        widen(range, value, value);
    }
    return range;
}

void PeakSummary::widenByEntries(
    std::pair<int, int>& range, std::size_t level, uint64_t first, uint64_t last, int channel) const
{
    for (uint64_t e = first; e < last; ++e) {
        const std::size_t at = (std::size_t(e) * m_channels + std::size_t(channel)) * 2;
        if (m_bits == 16)
            widen(range, m_wide[level][at], m_wide[level][at + 1]);
        else
            widen(range, m_narrow[level][at], m_narrow[level][at + 1]);
    }
}

void PeakSummary::widenByLevels(
    std::pair<int, int>& range, std::size_t level, uint64_t first, uint64_t last, int channel) const
{
    const std::size_t levels = m_bits == 16 ? m_wide.size() : m_narrow.size();
    const uint64_t coarseFirst = (first + kFanOut - 1) / kFanOut;
    const uint64_t coarseLast = last / kFanOut;
    if (level + 1 < levels && coarseFirst < coarseLast) {
        widenByEntries(range, level, first, coarseFirst * kFanOut, channel);
        widenByLevels(range, level + 1, coarseFirst, coarseLast, channel);
        widenByEntries(range, level, coarseLast * kFanOut, last, channel);
        return;
    }
    widenByEntries(range, level, first, last, channel);
}

std::pair<int, int> PeakSummary::peaks(const uint8_t* samples, uint32_t begin, uint32_t end, int channel) const
{
    end = std::min(end, m_frames);
    if (begin >= end)
        return { 0, 0 };
    const uint32_t firstBlock = uint32_t((uint64_t(begin) + kBlockFrames - 1) / kBlockFrames);
    const uint32_t lastBlock = end / kBlockFrames; // blocks wholly inside the range end before it
    if (firstBlock >= lastBlock)
        return scan(samples, begin, end, channel);
    std::pair<int, int> range = kEmpty;
    if (begin < uint64_t(firstBlock) * kBlockFrames) {
        const auto head = scan(samples, begin, uint32_t(uint64_t(firstBlock) * kBlockFrames), channel);
        widen(range, head.first, head.second);
    }
    widenByLevels(range, 0, firstBlock, lastBlock, channel);
    if (lastBlock * kBlockFrames < end) {
        const auto tail = scan(samples, lastBlock * kBlockFrames, end, channel);
        widen(range, tail.first, tail.second);
    }
    return range;
}

std::size_t PeakSummary::memoryBytes() const
{
    std::size_t bytes = sizeof(*this);
    for (const auto& level : m_wide)
        bytes += level.capacity() * sizeof(int16_t);
    for (const auto& level : m_narrow)
        bytes += level.capacity();
    return bytes;
}

} // namespace kx
