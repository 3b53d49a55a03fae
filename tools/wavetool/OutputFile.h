#pragma once

#include "documents/WaveDocument.h"
#include "documents/WaveHeader.h"
#include "filters/FileStream.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace kx::cli {

/// Writes a command's result file; on failure prints the writer's message and returns ExitFailed.
/// Like cp and sox, wavetool leaves flushing the file to disk to the system.
/// The texts (of the document the result comes from) follow the samples as a LIST chunk.
int writeOutputFile(const std::string& path, const WaveHeader& header, std::span<const uint8_t> samples,
    const FileTextInfo* texts = nullptr);

/// What a streamed command does with its file, given its format.
using StreamRun = std::function<StreamStatus(FileStream&, const WaveHeader&)>;

/// Streams the data of `source` to the result file through `run`, in memory that does not grow with
/// the file, and its texts after it unless `withTexts` is false; on failure prints the reader's or
/// the writer's message and returns ExitFailed.
int streamOutputFile(
    const WavStreamReader& source, const std::string& path, const StreamRun& run, bool withTexts = true);
/// The same from the PCM WAV file `in`, whose reading failures are printed likewise.
int streamOutputFile(const std::string& in, const std::string& path, const StreamRun& run);

} // namespace kx::cli
