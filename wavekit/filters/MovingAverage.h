#pragma once

#include "FilterControl.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kx {

/// The smoothing window for a strength setting: strength + 2 samples, at most 20.
std::size_t smoothingWindow(uint32_t strength);

/// Forward moving average over each channel of interleaved `samples` (whole frames of `channels`
/// values): value i of a channel becomes the mean of its values i .. i + window - 1, summed as
/// stored (8-bit unsigned, 16-bit signed) and divided truncating toward zero; the last `window`
/// values of each channel keep theirs. A channel of `window` values or fewer is left alone.
/// False when stopped part way.
bool movingAverage(
    std::span<uint8_t> samples, std::size_t channels, std::size_t window, const FilterControl& control = {});
bool movingAverage(
    std::span<int16_t> samples, std::size_t channels, std::size_t window, const FilterControl& control = {});

/// movingAverage() over mono or stereo frames that arrive piece by piece (a file streamed through
/// it): the running sums carry over from one piece to the next.
class MovingAverageRun {
public:
    MovingAverageRun(std::size_t channels, std::size_t window);

    std::size_t window() const { return m_window; }
    /// Starts the sums from the first `window` frames of the sequence at x.
    void start(const uint8_t* x);
    void start(const int16_t* x);
    /// Averages the next `frames` frames, at x; the `window` frames after them must follow them
    /// unchanged (the last `window` frames of the sequence are never averaged).
    void advance(uint8_t* x, std::size_t frames);
    void advance(int16_t* x, std::size_t frames);

private:
    template <class Sample> void startWith(const Sample* x);
    template <class Sample> void average(Sample* x, std::size_t frames);

    bool m_stereo;
    std::size_t m_window;
    std::array<int32_t, 2> m_sums {};
};

} // namespace kx
