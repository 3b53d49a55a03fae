#include "BulkwavePlayer.h"

#include <algorithm>

namespace kx {

namespace {

    /// The file's sample data from one offset to the end.
    class FileSource final : public AudioSource {
    public:
        FileSource(std::shared_ptr<const LargeWavFile> file, uint64_t offset)
            : m_file(std::move(file))
            , m_offset(offset)
        {
        }
        std::size_t read(std::span<uint8_t> out) override
        {
            const std::size_t block = m_file->format().blockAlign();
            const std::size_t got = m_file->read(m_offset, out.first(out.size() / block * block));
            m_offset += got;
            return got;
        }

    private:
        std::shared_ptr<const LargeWavFile> m_file;
        uint64_t m_offset;
    };

} // namespace

BulkwavePlayer::BulkwavePlayer(OutputFactory outputs, int32_t deviceId)
    : m_outputs(std::move(outputs))
    , m_deviceId(deviceId)
    , m_file(std::make_shared<LargeWavFile>())
{
}

BulkwavePlayer::~BulkwavePlayer()
{
    close();
}

bool BulkwavePlayer::open(const std::string& path)
{
    close();
    // A new object: a feeder still reading the old one keeps that alive.
    m_file = std::make_shared<LargeWavFile>();
    return m_file->open(path);
}

void BulkwavePlayer::close()
{
    stop();
    m_output.reset();
    m_file = std::make_shared<LargeWavFile>();
    m_position = 0;
}

DeviceStatus BulkwavePlayer::play(std::function<void()> onEnd)
{
    stop();
    if (!m_file->isOpen() || m_position >= m_file->dataSize())
        return DeviceStatus::success();
    std::unique_ptr<AudioOutput> output = m_outputs(m_deviceId);
    if (!output)
        return DeviceStatus::failure("No output device installed.");
    DeviceStatus status = output->open(m_file->format());
    if (status.ok())
        status = output->start(std::make_shared<FileSource>(m_file, m_position), std::move(onEnd));
    if (!status.ok())
        return status;
    m_start = m_position;
    m_output = std::move(output);
    return status;
}

DeviceStatus BulkwavePlayer::playFrom(uint64_t ms, std::function<void()> onEnd)
{
    stop();
    const PcmFormat& format = m_file->format();
    m_position
        = std::min(ms * format.bytesPerSecond() / 1000 / format.blockAlign() * format.blockAlign(), m_file->dataSize());
    return play(std::move(onEnd));
}

void BulkwavePlayer::stop()
{
    if (!m_output)
        return;
    m_position = positionBytes();
    m_output->close();
    m_output.reset();
}

void BulkwavePlayer::rewind()
{
    stop();
    m_position = 0;
}

uint64_t BulkwavePlayer::positionBytes() const
{
    if (!m_output)
        return m_position;
    return std::min(m_start + m_output->bytesPlayed(), m_file->dataSize());
}

uint64_t BulkwavePlayer::positionMs() const
{
    return m_file->isOpen() ? positionBytes() * 1000 / m_file->format().bytesPerSecond() : 0;
}

} // namespace kx
