#pragma once

#include "documents/PcmFormat.h"
#include "documents/SharedDocument.h"

#include <cmath>
#include <cstdlib>
#include <memory>

namespace kx::bench {

/// 600 MB of 16-bit stereo at the whole-file zoom, made once: a slowly swept tone that fades out,
/// so the waveform has shape at every zoom and every column a different peak.
inline constexpr uint32_t kLargeDataSize = 600u * 1000u * 1000u;

inline std::shared_ptr<SharedDocument> largeDocument()
{
    static std::shared_ptr<SharedDocument> document = [] {
        WaveDocument wave;
        PcmFormat { 16, 2, 44100 }.applyTo(wave.header);
        wave.samples = SampleBuffer::allocate(kLargeDataSize);
        if (wave.samples.isNull())
            std::abort();
        auto* values = reinterpret_cast<int16_t*>(wave.samples.data());
        const std::size_t count = kLargeDataSize / 2;
        for (std::size_t i = 0; i < count; ++i)
            values[i] = int16_t(20000.0 * std::sin(double(i / 2) * 0.01) * (1.0 - double(i) / double(count)));
        wave.header.setDataSize(kLargeDataSize);
        wave.mark.zoom = 0;
        return std::make_shared<SharedDocument>(std::move(wave));
    }();
    return document;
}

} // namespace kx::bench
