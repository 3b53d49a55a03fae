#pragma once

#include "Player.h"
#include "documents/WavReader.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

namespace kx {

/// Plays sound files in the background, one at a time, on the default output device: the
/// previews of file and clipboard dialogs, the completion signal, the sound board.
class SoundPlayer {
public:
    /// How a sound file becomes PCM; `readWavFile` by default. Programs that link the decoders
    /// hand in one that also takes coded WAV files (u-law, a-law, float).
    using FileReader = WavReadStatus (*)(const std::string&, WavFileContents&, const WavReadOptions&);

    explicit SoundPlayer(OutputFactory factory, FileReader reader = readWavFile);
    void setReader(FileReader reader);

    /// Stops the sound playing now, loads the WAV file and starts it; returns at once. False when
    /// the file cannot be read or the device refuses it (`errorText` says why).
    bool play(const std::string& path, bool loop, std::string* errorText = nullptr);
    void stop();
    bool isPlaying() const;

    /// The process's player on the real backend.
    static SoundPlayer& instance();

private:
    mutable std::mutex m_mutex;
    Player m_player;
    FileReader m_reader;
    std::shared_ptr<std::atomic<bool>> m_finished;
};

/// Starts a WAV file asynchronously, optionally looped until stopSound(); false when it cannot play.
bool playSoundFile(const std::string& path, bool loop);
void stopSound();

} // namespace kx
