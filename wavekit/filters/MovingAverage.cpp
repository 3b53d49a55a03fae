#include "MovingAverage.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace kx {

namespace {

    constexpr std::size_t kMaxWindow = 20;

    /// One block of frames [first, first + count) of a running sum per channel. The window and the
    /// channel count are template arguments so that the division becomes a multiplication.
    template <class Sample, std::size_t Channels, std::size_t Window>
    void averageFrames(Sample* x, std::size_t first, std::size_t count, int32_t* sums)
    {
        for (std::size_t i = first; i < first + count; ++i) {
            for (std::size_t c = 0; c < Channels; ++c) {
                const int32_t old = x[i * Channels + c];
                x[i * Channels + c] = Sample(sums[c] / int32_t(Window));
                // The value entering the window lies ahead of every value written so far.
                sums[c] += int32_t(x[(i + Window) * Channels + c]) - old;
            }
        }
    }

    template <class Sample, std::size_t Channels>
    using BlockFunction = void (*)(Sample*, std::size_t, std::size_t, int32_t*);

    template <class Sample, std::size_t Channels, std::size_t... Windows>
    constexpr auto blockFunctions(std::index_sequence<Windows...>)
    {
        return std::array<BlockFunction<Sample, Channels>, sizeof...(Windows)> {
            &averageFrames<Sample, Channels, Windows + 1>...
        };
    }

    template <class Sample, std::size_t Channels>
    bool averageChannels(Sample* x, std::size_t frames, std::size_t window, const FilterControl& control)
    {
        static constexpr auto functions = blockFunctions<Sample, Channels>(std::make_index_sequence<kMaxWindow>());
        const auto function = functions[window - 1];
        std::array<int32_t, Channels> sums {};
        for (std::size_t c = 0; c < Channels; ++c) {
            for (std::size_t j = 0; j < window; ++j)
                sums[c] += int32_t(x[j * Channels + c]);
        }
        return runInBlocks(frames - window, control,
            [&](std::size_t first, std::size_t count) { function(x, first, count, sums.data()); });
    }

    template <class Sample>
    bool average(std::span<Sample> samples, std::size_t channels, std::size_t window, const FilterControl& control)
    {
        window = std::clamp<std::size_t>(window, 1, kMaxWindow);
        channels = std::max<std::size_t>(channels, 1);
        const std::size_t frames = samples.size() / channels;
        if (frames <= window)
            return true;
        if (channels == 2)
            return averageChannels<Sample, 2>(samples.data(), frames, window, control);
        if (channels == 1)
            return averageChannels<Sample, 1>(samples.data(), frames, window, control);
        // More channels than the formats allow: no shortcut, one channel after the other.
        for (std::size_t c = 0; c < channels; ++c) {
            std::vector<Sample> channel(frames);
            for (std::size_t i = 0; i < frames; ++i)
                channel[i] = samples[i * channels + c];
            if (!averageChannels<Sample, 1>(channel.data(), frames, window, control))
                return false;
            for (std::size_t i = 0; i < frames; ++i)
                samples[i * channels + c] = channel[i];
        }
        return true;
    }

} // namespace

std::size_t smoothingWindow(uint32_t strength)
{
    return std::min<std::size_t>(std::size_t(strength) + 2, kMaxWindow);
}

bool movingAverage(std::span<uint8_t> samples, std::size_t channels, std::size_t window, const FilterControl& control)
{
    return average(samples, channels, window, control);
}

bool movingAverage(std::span<int16_t> samples, std::size_t channels, std::size_t window, const FilterControl& control)
{
    return average(samples, channels, window, control);
}

} // namespace kx
