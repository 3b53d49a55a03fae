#include "SoundPlayer.h"

#include "PortAudioOutput.h"

namespace kx {

SoundPlayer::SoundPlayer(OutputFactory factory, FileReader reader)
    : m_player(std::move(factory))
    , m_reader(reader)
{
}

void SoundPlayer::setReader(FileReader reader)
{
    std::lock_guard lock(m_mutex);
    m_reader = reader;
}

bool SoundPlayer::play(const std::string& path, bool loop, std::string* errorText)
{
    std::lock_guard lock(m_mutex);
    m_player.stop();
    WavFileContents contents;
    WavReadOptions options;
    options.readTexts = false;
    const WavReadStatus status = m_reader(path, contents, options);
    if (status != WavReadStatus::Ok) {
        if (errorText)
            *errorText = wavReadMessage(status);
        return false;
    }
    WaveDocument document;
    document.header = contents.header;
    document.samples = std::move(contents.samples);
    auto shared = std::make_shared<SharedDocument>(std::move(document));
    // The done notification comes on a device thread; the device is released by the next call.
    auto finished = std::make_shared<std::atomic<bool>>(false);
    const DeviceStatus played = m_player.play(shared, -1, loop, [finished] { *finished = true; });
    if (!played.ok()) {
        if (errorText)
            *errorText = played.errorText;
        return false;
    }
    m_finished = finished;
    return true;
}

void SoundPlayer::stop()
{
    std::lock_guard lock(m_mutex);
    m_player.stop();
}

bool SoundPlayer::isPlaying() const
{
    std::lock_guard lock(m_mutex);
    return m_player.isOpen() && !(m_finished && *m_finished);
}

SoundPlayer& SoundPlayer::instance()
{
    static SoundPlayer player(PortAudioOutput::factory());
    return player;
}

bool playSoundFile(const std::string& path, bool loop)
{
    return SoundPlayer::instance().play(path, loop);
}

void stopSound()
{
    SoundPlayer::instance().stop();
}

} // namespace kx
