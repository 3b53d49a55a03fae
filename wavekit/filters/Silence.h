#pragma once

#include "BlockChange.h"
#include "FilterControl.h"
#include "documents/WaveDocument.h"

#include <cstdint>

namespace kx {

/// 8-bit silence as these operations write it; other filters centre 8-bit data on 128.
inline constexpr uint8_t kSilenceByte8 = 127;

/// Overwrites the mark with silence (undo "Silence"); with nothing marked it is Refused: nothing
/// changes and no undo is recorded.
FilterStatus setSilence(WaveDocument& document, const FilterControl& control = {});

/// setSilence's change of the mark `mark`.
BlockChange silenceChange(const WaveHeader& header, ByteRange mark);

/// The bytes `sec` seconds and `ms` milliseconds of silence take: whole bytes per millisecond
/// first (the average byte rate times the single-precision 0.001, truncated), then rounded down
/// to whole frames so that the data after the insertion keeps its sample grid.
uint64_t silenceLength(const WaveHeader& header, uint32_t sec, uint32_t ms);

/// Inserts silence at the cursor (a cursor past the end moves to the end first). Undo: "Insert
/// Silence". OutOfMemory leaves the data as it was and nothing to undo.
FilterStatus insertSilence(WaveDocument& document, uint32_t sec, uint32_t ms);

} // namespace kx
