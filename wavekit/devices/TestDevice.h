#pragma once

#include "AudioOutput.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kx {

class TestOutput;

/// An in-process output device for tests and benchmarks: it records every format it was opened
/// with and every source byte it was given. Its clock runs by hand (advance()) or, with
/// Clock::RealTime, on a thread of each open output at the format's own rate.
class TestDevice : public std::enable_shared_from_this<TestDevice> {
public:
    enum class Clock { Manual, RealTime };

    static std::shared_ptr<TestDevice> create(Clock clock = Clock::Manual);

    /// Outputs on this device, whatever the id asked for (the ids are recorded).
    OutputFactory factory();

    /// Formats for which `accepts` is false fail to open with `errorText`.
    void setAcceptedFormats(std::function<bool(const PcmFormat&)> accepts, std::string errorText);
    /// Off: count the bytes but keep none (for long benchmarks).
    void setRecording(bool on);

    /// Manual clock: plays up to `frames` frames on the open output, waiting for its feeder, and
    /// sends the done notification when the source is used up. Returns the source bytes played.
    std::size_t advance(std::size_t frames);

    struct Record {
        std::vector<int32_t> deviceIds; ///< one per output made
        std::vector<PcmFormat> openFormats; ///< one per successful open
        int closes = 0;
        int dones = 0;
        uint64_t bytesPlayed = 0;
        std::vector<uint8_t> played; ///< the bytes, while recording is on
    };
    Record record() const;
    bool hasOpenOutput() const;

private:
    friend class TestOutput;
    explicit TestDevice(Clock clock);

    Clock m_clock;
    mutable std::mutex m_mutex;
    std::function<bool(const PcmFormat&)> m_accepts;
    std::string m_rejectText;
    bool m_recording = true;
    Record m_record;
    TestOutput* m_open = nullptr;
};

} // namespace kx
