#include "Player.h"

#include <algorithm>
#include <shared_mutex>

namespace kx {

Player::Player(OutputFactory factory)
    : m_factory(std::move(factory))
{
}

Player::~Player()
{
    stop();
}

DeviceStatus Player::play(
    std::shared_ptr<SharedDocument> document, int32_t deviceId, bool loop, AudioOutput::DoneHandler onDone)
{
    stop();
    PlayRange range;
    {
        std::shared_lock lock(document->lock);
        if (document->document.header.dataSize == 0)
            return DeviceStatus::success();
        range = PlayRange::of(document->document);
    }
    auto source = std::make_shared<DocumentSource>(std::move(document), range, loop);
    std::unique_ptr<AudioOutput> output = m_factory(deviceId);
    if (!output)
        return DeviceStatus::failure("No output device installed.");
    DeviceStatus status = output->open(source->format());
    if (status.ok())
        status = output->start(source, std::move(onDone));
    if (!status.ok()) {
        output->close();
        return status;
    }
    m_output = std::move(output);
    m_source = std::move(source);
    m_range = range;
    m_loop = loop;
    return status;
}

void Player::pause()
{
    if (!m_output)
        return;
    if (m_output->isPaused())
        m_output->resume();
    else
        m_output->pause();
}

void Player::resume()
{
    if (m_output)
        m_output->resume();
}

void Player::stop()
{
    if (!m_output)
        return;
    m_output->stop();
    m_output->close();
    m_output.reset();
    m_source.reset();
    m_range = {};
}

uint64_t Player::position() const
{
    if (!m_output || m_range.length == 0)
        return m_range.start;
    const uint64_t played = m_output->bytesPlayed();
    if (m_loop)
        return m_range.start + played % m_range.length;
    return m_range.start + std::min<uint64_t>(played, m_range.length);
}

} // namespace kx
