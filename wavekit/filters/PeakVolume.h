#pragma once

#include "BlockChange.h"
#include "FilterControl.h"
#include "documents/WaveDocument.h"

#include <cstdint>
#include <span>

namespace kx {

/// The largest magnitude of either sign (8-bit: around 128), with the most negative value counted
/// as the most positive one so that scaling up to it never wraps.
int32_t peakMagnitude(std::span<const uint8_t> samples);
int32_t peakMagnitude(std::span<const int16_t> samples);

/// setMaxVolume's change of the working range `working` once its loudest sample is known: none for
/// a range already at full scale, or silent.
BlockChange peakChange(const WaveHeader& header, ByteRange working, int32_t peak);

/// Scales the working range so that its loudest sample reaches full scale. A range already at full
/// scale, or silent, keeps its samples; the undo copy ("Set Maximal Volume") is recorded either way.
FilterStatus setMaxVolume(WaveDocument& document, const FilterControl& control = {});

} // namespace kx
