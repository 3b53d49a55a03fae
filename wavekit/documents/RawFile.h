#pragma once

#include "PcmFormat.h"
#include "RiffFile.h"
#include "WavReader.h"

namespace kx {

/// Reads the whole of a just opened file as samples of `format` (a file without a header). Only
/// whole frames are kept, so a 16-bit or stereo document never ends inside a frame. Fails with
/// OutOfMemory when the block cannot be had or the file is too long for a document.
WavReadStatus readRawFile(RiffFile& file, const PcmFormat& format, WavFileContents& contents);

} // namespace kx
