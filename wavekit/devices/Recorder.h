#pragma once

#include "AudioInput.h"
#include "documents/RecordingFile.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace kx {

/// Records from an input device straight into a RecordingFile: every block is on disk as it
/// arrives, so an hour records like ten seconds. The counters are atomics, so the interface
/// thread reads the clock without waiting for the capture thread.
class Recorder {
public:
    explicit Recorder(InputFactory inputs);
    ~Recorder();

    /// Opens input `deviceId` for `format`, creates `path` with `mode` and starts recording;
    /// stops by itself after `limitBytes`. On failure nothing is left open.
    DeviceStatus start(int32_t deviceId, const PcmFormat& format, const std::string& path, mode_t mode,
        uint64_t limitBytes = RecordingFile::kMaxDataBytes);
    /// While paused the arriving sound is dropped and the clock stands still.
    void pause() { m_paused = true; }
    void resume() { m_paused = false; }
    bool isPaused() const { return m_paused; }

    uint64_t bytesRecorded() const { return m_bytes.load(); }
    /// Milliseconds of sound in the file.
    uint64_t elapsedMs() const;
    /// Waits until the limit was reached or capturing broke off; false on timeout.
    bool waitUntilDone(std::chrono::milliseconds timeout);

    /// Stops the device and closes the file; fails when the device or a write failed.
    DeviceStatus stop();

private:
    void take(std::span<const uint8_t> block);

    InputFactory m_inputs;
    std::unique_ptr<AudioInput> m_input;
    RecordingFile m_file;
    PcmFormat m_format;
    uint64_t m_limit = 0;
    std::atomic<bool> m_paused { false };
    std::atomic<uint64_t> m_bytes { 0 };
    std::atomic<bool> m_writeFailed { false };
    std::mutex m_doneMutex;
    std::condition_variable m_doneChanged;
    bool m_done = false;
};

} // namespace kx
