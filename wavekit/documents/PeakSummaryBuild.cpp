#include "PeakSummaryBuild.h"

#include "SharedDocument.h"

#include <algorithm>
#include <shared_mutex>

namespace kx {

namespace {
    constexpr uint32_t kPieceBytes = 1u << 20;
}

std::shared_ptr<const PeakSummary> buildPeakSummary(const SharedDocument& shared, const std::atomic<bool>& stop)
{
    const uint64_t generation = shared.peaks.generation();
    std::shared_ptr<PeakSummary> summary;
    WaveHeader header;
    const uint8_t* data = nullptr;
    {
        std::shared_lock lock(shared.lock);
        // Only the atomic flag is read: the document's own working flag belongs to the interface thread.
        if (shared.operationRunning || shared.document.header.dataSize == 0 || shared.document.samples.isNull())
            return nullptr;
        header = shared.document.header;
        data = shared.document.samples.data();
        const uint16_t blockAlign = std::max<uint16_t>(header.nBlockAlign, 1);
        summary = std::make_shared<PeakSummary>(header.nChannels, header.wBitsPerSample, header.dataSize / blockAlign);
    }
    summary->generation = generation;
    const uint32_t blockBytes = PeakSummary::kBlockFrames * std::max<uint16_t>(header.nBlockAlign, 1);
    const uint32_t piece = std::max<uint32_t>(1, kPieceBytes / blockBytes);
    for (uint32_t first = 0; first < summary->blocks(); first += piece) {
        if (stop.load())
            return nullptr;
        std::shared_lock lock(shared.lock);
        const WaveDocument& document = shared.document;
        // The same samples as at the start, or the summary would mix two versions.
        if (shared.peaks.generation() != generation || shared.operationRunning || document.samples.data() != data
            || document.header.dataSize != header.dataSize || document.header.nBlockAlign != header.nBlockAlign
            || document.header.wBitsPerSample != header.wBitsPerSample)
            return nullptr;
        summary->summarise(data, first, piece);
    }
    summary->finish();
    return summary;
}

} // namespace kx
