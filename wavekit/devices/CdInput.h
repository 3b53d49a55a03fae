#pragma once

#include "AudioInput.h"
#include "CdDisc.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

namespace kx {

/// Records from a disc as an input device would from a line: the sectors from a start position
/// on, in blocks of a twentieth of a second, at the disc's pace or as fast as it reads. It gives
/// only the disc's own format (16-bit stereo, 44100 Hz). It falls silent at the end of the audio
/// and breaks off, naming the sector, where the disc cannot be read.
class CdInput final : public AudioInput {
public:
    enum class Pace { RealTime, Unpaced };

    CdInput(std::shared_ptr<CdDisc> disc, int32_t startSector, Pace pace);
    ~CdInput() override;

    DeviceStatus open(const PcmFormat& format) override;
    DeviceStatus start(BlockHandler onBlock) override;
    void stop() override;
    void close() override { stop(); }
    std::string captureError() const override;

private:
    std::shared_ptr<CdDisc> m_disc;
    int32_t m_start;
    Pace m_pace;
    bool m_open = false;
    std::thread m_thread;
    std::atomic<bool> m_stopping { false };
    mutable std::mutex m_errorMutex;
    std::string m_error;
};

} // namespace kx
