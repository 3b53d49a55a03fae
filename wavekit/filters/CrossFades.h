#pragma once

#include "BlockChange.h"
#include "FilterControl.h"
#include "WorkingRange.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace kx {

enum class CrossFade {
    LeftToRight, ///< the left channel fades out while the right one fades in
    RightToLeft,
};

/// The stereo frames a cross-fade of `range` changes: the whole frames inside it, a start inside a
/// frame moving to the next one.
ByteRange crossFadeFrames(const WaveHeader& header, ByteRange range);

/// Cross-fades the stereo frames of `range`: frame k of `range.length / frame size` gets the factor
/// f0 - k / frames on the fading side (f0 at most 1) and one minus that on the other. No undo, no
/// test of the channel count: the caller does both. False when stopped part way.
bool crossFadeRange(
    WaveDocument& document, ByteRange range, float startFactor, CrossFade direction, const FilterControl& control = {});

/// The cross-fade's arithmetic over whole stereo frames: frame firstFrame + j of `samples` gets
/// float(first - k / frames) on the fading side and float(1 - (first - k / frames)) on the other,
/// in double precision. 16-bit samples use AVX2 where present.
void crossFadeSamples(std::span<uint8_t> samples, std::size_t firstFrame, double first, double frames, bool leftFades);
void crossFadeSamples(std::span<int16_t> samples, std::size_t firstFrame, double first, double frames, bool leftFades);

/// fadeChannels' change of the working range `working`: the cross-fade of its stereo frames with
/// start factor 1; no change at all for a file that is not stereo.
BlockChange crossFadeChange(const WaveHeader& header, ByteRange working, CrossFade direction);

/// The cross-fade over the working range with start factor 1; a mono file only gets its undo copy
/// ("Fade Channels Left To Right" / "Fade Channels Right To Left").
FilterStatus fadeChannels(WaveDocument& document, CrossFade direction, const FilterControl& control = {});

} // namespace kx
