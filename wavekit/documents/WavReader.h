#pragma once

#include "RiffFile.h"
#include "WaveDocument.h"

#include <string>

namespace kx {

/// Every way reading a WAV file can end, in the order the reader meets them.
enum class WavReadStatus {
    Ok,
    CannotOpen,           ///< "File not found or something else."
    NoFirstChunk,         ///< the file has no chunk at all (e.g. it is empty)
    NotWave,              ///< "File is not a wave file."
    WrongFormat,          ///< "File is in wrong format."
    Truncated,            ///< "File truncated."
    NotEightOrSixteenBit, ///< "File is neither 8 nor 16 bit."
    NoDataChunk,          ///< "File bad. Data chunk not found."
    OutOfMemory,          ///< "NOT ENOUGH MEMORY"
    CannotAscend,         ///< "can't ascend."
    NeedsDecoder,         ///< the samples are coded (u-law, a-law, float, ...): "File is in wrong format."
};

/// The user-visible text for a failed read. NoFirstChunk reads "File too small.", as the reload
/// into an existing window says it (a new window is built empty instead).
const char* wavReadMessage(WavReadStatus status);

struct WavReadOptions {
    bool readSamples = true; ///< false: only the format and the data size
    bool readTexts = true;   ///< read the LIST chunk's texts
};

/// What a WAV file holds, in document form.
struct WavFileContents {
    WaveHeader header;
    SampleBuffer samples;
    FileTextInfo texts;
    /// The data chunk declared more bytes than the file has; only the whole frames present were kept.
    bool dataCutShort = false;
};

/// Reads a RIFF WAVE file with the chunk rules every reader of the library follows: first chunk
/// RIFF/WAVE, a "fmt " of at least 16 bytes that `waveEncodingOf` finds plain PCM (8 or 16 bit;
/// any coded format is NeedsDecoder), the "data" chunk after it, then optionally a LIST chunk with
/// texts.
WavReadStatus readWavFile(const std::string& path, WavFileContents& contents, const WavReadOptions& options = {});

/// The steps of the chunk rules, for readers that branch on the fmt chunk (compressed files).
namespace wavchunks {

/// Opens the file and descends into its first chunk. `first` holds the chunk on success and also
/// when the result is NotWave, so callers can recognise other RIFF forms.
WavReadStatus openRiff(RiffFile& file, const std::string& path, RiffChunk& first);
/// Finds the "fmt " chunk (at least 16 bytes) inside `riff`.
WavReadStatus findFormat(RiffFile& file, const RiffChunk& riff, RiffChunk& fmt);
/// Reads `fmt` into `header` and ascends out of it: plain PCM (else NeedsDecoder), 8 or 16 bit, one
/// or two channels and a rate whose data rate fits 32 bits (else WrongFormat); the frame size and
/// the data rate are computed from these, not taken from the file.
WavReadStatus readPcmFormat(RiffFile& file, const RiffChunk& fmt, WaveHeader& header);
/// Finds the "data" chunk after the current position inside `riff`.
WavReadStatus findData(RiffFile& file, const RiffChunk& riff, RiffChunk& data);
/// How many bytes of `data` a reader keeps: the declared size, or the whole frames the file
/// really holds when it ends inside the chunk.
uint64_t keptDataLength(const RiffFile& file, const RiffChunk& data, uint16_t blockAlign, bool& cutShort);
/// Reads the data chunk's bytes (no more than the file holds, whole frames of `blockAlign` when it
/// is cut short) and ascends out of it.
WavReadStatus readData(RiffFile& file, const RiffChunk& data, uint16_t blockAlign, SampleBuffer& samples,
                       bool& cutShort);
/// Searches a LIST chunk from the current position and reads the eight texts that fit.
void readInfoTexts(RiffFile& file, const RiffChunk& riff, FileTextInfo& texts);

} // namespace wavchunks

} // namespace kx
