#pragma once

#include <cstdint>
#include <span>

namespace kx {

class ScaleTable;

/// Paste-and-mix of one block: each target sample becomes the mean of itself and the clipboard's
/// sample at the same position, times `gain`, truncated and clipped as a volume change does.
/// Channels are not told apart. Mixes min(target, clip) samples.
///
/// 16-bit: (a + b) / 2 rounded toward zero. 8-bit: the unsigned mean rounded down.
void mixSamples(std::span<int16_t> target, std::span<const int16_t> clip, float gain);
/// The same with the gain's scaling prepared once, for a mix done a piece at a time.
void mixSamples(std::span<int16_t> target, std::span<const int16_t> clip, const ScaleTable& scale);
void mixSamples(std::span<uint8_t> target, std::span<const uint8_t> clip, float gain);

} // namespace kx
