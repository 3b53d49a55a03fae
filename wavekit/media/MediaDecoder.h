#pragma once

#include "documents/SampleBuffer.h"
#include "documents/WaveDocument.h"
#include "documents/WaveHeader.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

namespace kx {

enum class DecodeStatus {
    Ok,
    CannotOpen, ///< FFmpeg does not know the file
    NoSound, ///< the file has no audio stream
    CannotDecode, ///< no decoder for the stream, or nothing came out of it
    OutOfMemory, ///< the block cannot be had, or the sound is too long for a document
};

struct DecodeRequest {
    uint16_t bits = 8; ///< 8 or 16: the PCM the sound is decoded to
    bool keepPcmBits = false; ///< 8-bit and 16-bit PCM streams keep their own bits
    /// Frames to keep at most: a decoder may return the padding of the last block (IMA ADPCM
    /// ignores the length the WAV "fact" chunk gives).
    std::optional<uint64_t> maxFrames;
    /// Decoding breaks off once this is raised, as after a read error; may be null.
    const std::atomic<bool>* stop = nullptr;
};

struct DecodedSound {
    WaveHeader header; ///< PCM: the stream's rate, mono or stereo (more channels are mixed down)
    SampleBuffer samples;
    bool damaged = false; ///< a read or decode error broke off part of the sound; what came before is kept
    FileTextInfo texts; ///< the file's tags: FLAC and Vorbis comments, ID3, a WAV file's LIST texts
};

/// Decodes the first audio stream of a local file of the kinds the editor offers (compressed WAV,
/// AVI, FLAC, Ogg, MP3; anything else FFmpeg could read is CannotOpen) to PCM of the requested
/// bits, at the stream's own rate. Sound beyond what a document can hold is OutOfMemory, found
/// as the block grows.
DecodeStatus decodeFirstAudioStream(const std::string& path, const DecodeRequest& request, DecodedSound& sound);

} // namespace kx
