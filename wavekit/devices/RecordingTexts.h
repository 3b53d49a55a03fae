#pragma once

#include "documents/PcmFormat.h"

#include <cstdint>
#include <string>

namespace kx::recordingtexts {

/// The setup dialog's format line: "16 Bit, 44100 Hz, STEREO".
std::string setupFormat(const PcmFormat& format);
/// The recording dialog's format line, without the second comma: "16 Bit, 44100 Hz STEREO".
std::string recordingFormat(const PcmFormat& format);
/// The recording clock "MM:SS".
std::string clock(uint64_t milliseconds);
/// The recorded size in units of 1000 bytes, whole seconds only, right-aligned in six places.
std::string size(uint64_t milliseconds, uint32_t bytesPerSecond);

/// Where on the CD a recording from it starts: "Track 2, Position 01:05".
std::string cdPosition(int track, int minutes, int seconds);

} // namespace kx::recordingtexts
