#pragma once

#include "BlockChange.h"
#include "FilterControl.h"
#include "documents/WaveDocument.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace kx {

/// Ramps the working range from `percent` % up towards full volume, sample by sample in storage
/// order; the last sample's factor is one step short of 1. Undo: "Fade In".
FilterStatus fadeIn(WaveDocument& document, uint32_t percent, const FilterControl& control = {});
/// Ramps the working range from full volume down towards `percent` %. Undo: "Fade Out".
FilterStatus fadeOut(WaveDocument& document, uint32_t percent, const FilterControl& control = {});

/// fadeIn's and fadeOut's changes of the working range `working`.
BlockChange fadeInChange(const WaveHeader& header, ByteRange working, uint32_t percent);
BlockChange fadeOutChange(const WaveHeader& header, ByteRange working, uint32_t percent);

/// The fades' arithmetic: samples[j] scaled by float(first + i * change / n) for its index
/// i = firstIndex + j, all in double precision; the original values go to `copy` on the way
/// (null: no copy). 16-bit samples use AVX2 where present.
void rampSamples(
    std::span<uint8_t> samples, std::size_t firstIndex, double first, double change, double n, uint8_t* copy = nullptr);
void rampSamples(
    std::span<int16_t> samples, std::size_t firstIndex, double first, double change, double n, int16_t* copy = nullptr);

} // namespace kx
