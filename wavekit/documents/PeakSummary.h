#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace kx {

/// The least and greatest sample value of every 256 frames of a document, per channel, and
/// coarser levels of 16 times as many frames each, so that the true peaks of any range are found
/// by reading at most a few hundred values. Values are kept at the samples' own width (8-bit data
/// as signed values around 0), so the summary takes under 1 % of the document.
class PeakSummary {
public:
    static constexpr uint32_t kBlockFrames = 256;
    static constexpr uint32_t kFanOut = 16;

    PeakSummary(uint16_t channels, uint16_t bitsPerSample, uint32_t frames);

    uint16_t channels() const { return m_channels; }
    uint16_t bitsPerSample() const { return m_bits; }
    uint32_t frames() const { return m_frames; }
    uint32_t blocks() const { return (m_frames + kBlockFrames - 1) / kBlockFrames; }
    /// The generation of the document's samples it was built from.
    uint64_t generation = 0;

    /// Summarises blocks [first, first + count) of `samples`, the document's whole data.
    void summarise(const uint8_t* samples, uint32_t first, uint32_t count);
    /// Builds the coarser levels; call once every block is summarised.
    void finish();

    /// The least and greatest value of `channel` over frames [begin, end) of `samples` (the data
    /// the summary was built from), as signed values: 8-bit data has 128 subtracted. Reads samples
    /// only for the partial blocks at both ends. {0, 0} for an empty range.
    std::pair<int, int> peaks(const uint8_t* samples, uint32_t begin, uint32_t end, int channel) const;
    /// The peaks of a range read from the samples alone; what `peaks` must answer.
    std::pair<int, int> scan(const uint8_t* samples, uint32_t begin, uint32_t end, int channel) const;

    std::size_t memoryBytes() const;

private:
    int valueAt(const uint8_t* samples, uint32_t frame, int channel) const;
    /// Widens `range` by entries [first, last) of `level` for `channel`.
    void widenByEntries(
        std::pair<int, int>& range, std::size_t level, uint64_t first, uint64_t last, int channel) const;
    void widenByLevels(std::pair<int, int>& range, std::size_t level, uint64_t first, uint64_t last, int channel) const;

    uint16_t m_channels;
    uint16_t m_bits;
    uint32_t m_frames;
    /// Per level, per entry, per channel: least then greatest value (stored as int16 for both
    /// widths would double the size of 8-bit summaries, so 8-bit levels hold bytes).
    std::vector<std::vector<int16_t>> m_wide;
    std::vector<std::vector<int8_t>> m_narrow;
};

} // namespace kx
