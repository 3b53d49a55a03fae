#pragma once

#include "WaveDocument.h"

#include <optional>

namespace kx {

enum class Channel { Left = 0, Right = 1 };

/// A new mono document holding one channel of the stereo document `source`: same rate and
/// sample size, named after the source with " - Left" or " - Right", not yet saved to a file.
/// Empty when `source` is not stereo or memory is short.
std::optional<WaveDocument> documentOfChannel(const WaveDocument& source, Channel channel);

} // namespace kx
