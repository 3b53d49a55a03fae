#pragma once

#include "documents/WavReader.h"

namespace kx {

/// Reads a WAV file for playing or copying: plain PCM byte for byte as `readWavFile` does; coded
/// samples (u-law, a-law, float, 24 bits, more channels) decoded to 16-bit PCM as File Open
/// decodes them, with the tags FFmpeg finds.
WavReadStatus readWavDecoding(const std::string& path, WavFileContents& contents, const WavReadOptions& options = {});

} // namespace kx
