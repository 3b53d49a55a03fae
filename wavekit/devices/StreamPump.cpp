#include "StreamPump.h"

#include "OutputVolume.h"

#include <algorithm>
#include <cstring>

namespace kx {

namespace {

    // About half a second ahead, but never less than a few blocks.
    std::size_t ringBytes(const PcmFormat& format)
    {
        const std::size_t halfSecond = format.bytesPerSecond() / 2;
        return std::max<std::size_t>(4 * StreamPump::kBlockBytes, halfSecond);
    }

} // namespace

StreamPump::StreamPump(std::shared_ptr<AudioSource> source, const PcmFormat& format)
    : m_source(std::move(source))
    , m_format(format)
    , m_ring(ringBytes(format))
{
}

StreamPump::~StreamPump()
{
    shutdown();
}

void StreamPump::start()
{
    std::vector<uint8_t> block(kBlockBytes);
    if (readBlock(block))
        m_feeder = std::thread([this] { feed(); });
}

void StreamPump::shutdown()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_feeder.joinable())
        m_feeder.join();
}

void StreamPump::feed()
{
    std::vector<uint8_t> block(kBlockBytes);
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return m_stopping || m_ring.size() - m_count >= kBlockBytes; });
            if (m_stopping)
                return;
        }
        if (!readBlock(block))
            return;
    }
}

bool StreamPump::readBlock(std::vector<uint8_t>& block)
{
    // The source is read outside the ring's lock: it may wait for a document lock.
    const std::size_t got = m_source->read(block);
    std::lock_guard lock(m_mutex);
    if (got == 0) {
        m_sourceEnded = true;
        m_changed.notify_all();
        return false;
    }
    std::size_t tail = (m_head + m_count) % m_ring.size();
    const std::size_t first = std::min(got, m_ring.size() - tail);
    std::memcpy(m_ring.data() + tail, block.data(), first);
    std::memcpy(m_ring.data(), block.data() + first, got - first);
    m_count += got;
    m_changed.notify_all();
    return true;
}

std::size_t StreamPump::pull(std::span<uint8_t> out, bool waitForData)
{
    std::size_t taken = 0;
    {
        std::unique_lock lock(m_mutex);
        if (waitForData)
            m_changed.wait(lock, [&] { return m_stopping || m_sourceEnded || m_count >= out.size(); });
        const std::size_t align = m_format.blockAlign();
        taken = std::min(out.size(), m_count) / align * align;
        const std::size_t first = std::min(taken, m_ring.size() - m_head);
        std::memcpy(out.data(), m_ring.data() + m_head, first);
        std::memcpy(out.data() + first, m_ring.data(), taken - first);
        m_head = (m_head + taken) % m_ring.size();
        m_count -= taken;
    }
    m_changed.notify_all();
    outputvolume::apply(out.first(taken), m_format, outputvolume::current());
    std::memset(out.data() + taken, silenceByte(m_format), out.size() - taken);
    m_delivered.fetch_add(taken, std::memory_order_relaxed);
    return taken;
}

bool StreamPump::drained() const
{
    std::lock_guard lock(m_mutex);
    return m_sourceEnded && m_count == 0;
}

} // namespace kx
