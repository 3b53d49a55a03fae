#include "FormatConverter.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

namespace kx {

namespace {

    AVSampleFormat sampleFormatOf(const PcmFormat& format)
    {
        return format.bits == 16 ? AV_SAMPLE_FMT_S16 : AV_SAMPLE_FMT_U8;
    }

    AVChannelLayout layoutOf(const PcmFormat& format)
    {
        AVChannelLayout layout {};
        av_channel_layout_default(&layout, format.channels == 2 ? 2 : 1);
        return layout;
    }

    /// Frames handed to the resampler at a time: large enough to amortise the calls, small enough
    /// that its internal buffer stays in the cache.
    constexpr uint64_t kChunkFrames = 1u << 14;

} // namespace

FormatConverter::FormatConverter(const PcmFormat& source, const PcmFormat& target)
    : m_source(source)
    , m_target(target)
{
    quietFfmpeg();
    if (source.rate == 0 || target.rate == 0 || source.rate > INT_MAX || target.rate > INT_MAX)
        return;
    AVChannelLayout in = layoutOf(source);
    AVChannelLayout out = layoutOf(target);
    SwrContext* context = nullptr;
    if (swr_alloc_set_opts2(&context, &out, sampleFormatOf(target), int(target.rate), &in, sampleFormatOf(source),
            int(source.rate), 0, nullptr)
        < 0)
        return;
    SwrContextPointer resampler(context);
    // The resampler's own choice would be -3 dB for mono to stereo.
    static const double monoToStereo[] = { 1.0, 1.0 };
    static const double stereoToMono[] = { 0.5, 0.5 };
    if (in.nb_channels == 1 && out.nb_channels == 2 && swr_set_matrix(context, monoToStereo, 1) < 0)
        return;
    if (in.nb_channels == 2 && out.nb_channels == 1 && swr_set_matrix(context, stereoToMono, 2) < 0)
        return;
    if (swr_init(context) < 0)
        return;
    m_resampler = std::move(resampler);
}

uint64_t FormatConverter::targetSize(uint64_t sourceBytes) const
{
    if (m_source.rate == 0)
        return 0;
    const uint64_t frames = sourceBytes / m_source.blockAlign();
    const uint64_t targetFrames = (frames * m_target.rate + m_source.rate - 1) / m_source.rate;
    return targetFrames * m_target.blockAlign();
}

bool FormatConverter::convert(std::span<const uint8_t> source, std::span<uint8_t> target)
{
    std::size_t read = 0;
    std::size_t written = 0;
    return convert(
        source.size(), target.size(),
        [&](std::span<uint8_t> piece) {
            std::memcpy(piece.data(), source.data() + read, piece.size());
            read += piece.size();
            return true;
        },
        [&](std::span<const uint8_t> piece) {
            std::memcpy(target.data() + written, piece.data(), piece.size());
            written += piece.size();
            return true;
        });
}

bool FormatConverter::convert(uint64_t sourceBytes, uint64_t targetBytes,
    const std::function<bool(std::span<uint8_t>)>& read, const std::function<bool(std::span<const uint8_t>)>& write)
{
    if (!m_resampler || swr_init(m_resampler.get()) < 0) // starts afresh after an earlier block
        return false;
    SwrContext* const context = m_resampler.get();
    const uint64_t sourceFrameBytes = m_source.blockAlign();
    const uint64_t targetFrameBytes = m_target.blockAlign();
    const uint64_t sourceFrames = sourceBytes / sourceFrameBytes;
    const uint64_t targetFrames = targetBytes / targetFrameBytes;
    std::vector<uint8_t> in(kChunkFrames * sourceFrameBytes);
    std::vector<uint8_t> out;
    uint64_t written = 0;
    // Each call gets room for all it can give (up to the end of the target), as if it wrote
    // straight into the whole target.
    const auto convertInto = [&](const uint8_t* from, int count) {
        const int bound = swr_get_out_samples(context, count);
        if (bound < 0)
            return false;
        const int room = int(std::min<uint64_t>(targetFrames - written, uint64_t(bound) + kChunkFrames));
        out.resize(std::max(out.size(), std::size_t(room) * targetFrameBytes));
        uint8_t* to = out.data();
        const int got = swr_convert(context, &to, room, from ? &from : nullptr, count);
        if (got < 0)
            return false;
        written += uint64_t(got);
        return got == 0 || write({ out.data(), std::size_t(got) * targetFrameBytes });
    };

    for (uint64_t done = 0; done < sourceFrames && written < targetFrames; done += kChunkFrames) {
        const int count = int(std::min(kChunkFrames, sourceFrames - done));
        if (!read({ in.data(), std::size_t(count) * sourceFrameBytes }) || !convertInto(in.data(), count))
            return false;
    }
    // The filter's delay still holds the last frames.
    while (written < targetFrames) {
        const uint64_t before = written;
        if (!convertInto(nullptr, 0))
            return false;
        if (written == before)
            break;
    }
    // A shortfall is silence.
    const std::size_t piece = std::max<std::size_t>(out.size(), targetFrameBytes * kChunkFrames);
    out.assign(piece, m_target.bits == 16 ? 0 : 0x80);
    for (uint64_t left = targetBytes - written * targetFrameBytes; left > 0;) {
        const auto length = std::size_t(std::min<uint64_t>(left, piece));
        if (!write({ out.data(), length }))
            return false;
        left -= length;
    }
    return true;
}

bool FormatConverter::stream(std::span<const uint8_t> source, std::vector<uint8_t>& target)
{
    if (!m_resampler)
        return false;
    SwrContext* const context = m_resampler.get();
    const int frames = int(source.size() / m_source.blockAlign());
    const int room = swr_get_out_samples(context, frames);
    if (room < 0)
        return false;
    const std::size_t before = target.size();
    target.resize(before + std::size_t(room) * m_target.blockAlign());
    uint8_t* to = target.data() + before;
    const uint8_t* from = source.data();
    const int got = swr_convert(context, &to, room, &from, frames);
    target.resize(before + std::size_t(std::max(got, 0)) * m_target.blockAlign());
    return got >= 0;
}

} // namespace kx
