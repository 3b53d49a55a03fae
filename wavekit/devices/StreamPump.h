#pragma once

#include "AudioSource.h"
#include "documents/PcmFormat.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace kx {

/// Carries a source's bytes to a device thread. A feeder thread reads the source a fraction of a
/// second ahead into a ring buffer, so the device thread never waits for a document lock or a
/// file, and only that much of the data is ever copied. The output volume is applied as the
/// device takes the bytes, so a volume step is heard at once.
class StreamPump {
public:
    static constexpr std::size_t kBlockBytes = 16 * 1024;

    StreamPump(std::shared_ptr<AudioSource> source, const PcmFormat& format);
    ~StreamPump();
    StreamPump(const StreamPump&) = delete;
    StreamPump& operator=(const StreamPump&) = delete;

    /// Reads the first block here, so the device has data on its first call, then starts the feeder.
    void start();
    /// Ends the feeder thread and waits for it.
    void shutdown();

    /// Device side: fills `out` with the next bytes and the rest with silence. With `waitForData`
    /// it waits until the feeder has caught up (for clocks that are not real time). Returns the
    /// source bytes it delivered.
    std::size_t pull(std::span<uint8_t> out, bool waitForData);
    /// The source has ended and every byte of it was pulled.
    bool drained() const;
    uint64_t bytesDelivered() const { return m_delivered.load(std::memory_order_relaxed); }

    /// The bytes of silence in this format: 128 for 8-bit data, 0 for 16-bit data.
    static uint8_t silenceByte(const PcmFormat& format) { return format.bits == 16 ? 0 : 128; }

private:
    void feed();
    /// Reads one block from the source and queues it; false once the source has ended.
    bool readBlock(std::vector<uint8_t>& block);

    std::shared_ptr<AudioSource> m_source;
    PcmFormat m_format;
    std::vector<uint8_t> m_ring;
    std::size_t m_head = 0; ///< next byte to pull
    std::size_t m_count = 0;
    bool m_sourceEnded = false;
    bool m_stopping = false;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::atomic<uint64_t> m_delivered { 0 };
    std::thread m_feeder;
};

} // namespace kx
