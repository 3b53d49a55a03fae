#pragma once

#include "AudioOutput.h"
#include "documents/LargeWavFile.h"

#include <functional>
#include <memory>
#include <string>

namespace kx {

/// Plays a WAV file of any size straight from disk: the output's feeder reads it a block at a
/// time, so only a fraction of a second of it is ever in memory. Keeps a play position like a
/// tape: stop holds it, play goes on from it. Used from one thread.
class BulkwavePlayer {
public:
    BulkwavePlayer(OutputFactory outputs, int32_t deviceId);
    ~BulkwavePlayer();

    /// Opens `path` (closing what was open); false when it is no playable WAV file.
    bool open(const std::string& path);
    void close();
    /// The open file; its length is 0 when none is open.
    const LargeWavFile& file() const { return *m_file; }

    /// Plays from the position on; `onEnd` runs on a device thread when the file has played out.
    DeviceStatus play(std::function<void()> onEnd);
    DeviceStatus playFrom(uint64_t ms, std::function<void()> onEnd);
    /// Stops and keeps the position.
    void stop();
    void rewind();

    bool isPlaying() const { return m_output != nullptr; }
    uint64_t positionBytes() const;
    uint64_t positionMs() const;

private:
    OutputFactory m_outputs;
    int32_t m_deviceId;
    std::shared_ptr<LargeWavFile> m_file;
    std::unique_ptr<AudioOutput> m_output;
    uint64_t m_start = 0; ///< where the running playback began, in bytes
    uint64_t m_position = 0; ///< the held position while stopped
};

} // namespace kx
