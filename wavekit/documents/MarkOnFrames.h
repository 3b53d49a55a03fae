#pragma once

#include "PcmFormat.h"
#include "WaveDocument.h"

namespace kx {

/// The mark of a document whose samples were converted from `from` to `to`: each end moved to the
/// same time, rounded to the nearest whole frame of `to` and kept inside `dataSize`.
MarkRecord markAfterConversion(const MarkRecord& mark, const PcmFormat& from, const PcmFormat& to, uint32_t dataSize);

/// The mark of a document whose bytes are read under a new format: each end on the same bytes,
/// rounded to the nearest whole frame of `blockAlign` and kept inside `dataSize`.
MarkRecord markOnWholeFrames(const MarkRecord& mark, uint16_t blockAlign, uint32_t dataSize);

} // namespace kx
