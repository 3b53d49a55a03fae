#pragma once

#include "AudioOutput.h"
#include "CdDisc.h"

#include <functional>
#include <memory>
#include <string>

namespace kx {

class CdSource;

/// The CD as the player bar sees it: the disc of the CD setting, its track count, the current
/// track, positions and lengths as text in the minute format "mm:ss:ff" or the track format
/// "tt:mm:ss:ff", and play and stop. Playback is digital: the disc's sectors go through an output
/// device. Used from one thread; the end of a playback is announced on a device thread.
class CdDevice {
public:
    enum class TimeFormat { Minutes, Tracks };

    CdDevice(OutputFactory outputs, int32_t outputId);
    ~CdDevice();

    /// Stops and opens `source` (see CdDisc::open); false with errorText() when there is no disc.
    bool load(const std::string& source);
    bool hasDisc() const { return m_disc != nullptr; }
    const std::string& errorText() const { return m_error; }
    const std::shared_ptr<CdDisc>& disc() const { return m_disc; }

    int trackCount() const { return m_disc ? m_disc->trackCount() : 0; }
    /// The track of the current position; 0 without a disc.
    int currentTrack() const;
    int32_t positionSector() const;
    std::string position(TimeFormat format) const;
    /// Where track `track` starts.
    std::string trackPosition(int track, TimeFormat format) const;
    /// Lengths are always in the minute format.
    std::string length() const;
    std::string trackLength(int track) const;

    /// Each play returns false (and leaves playback as it was) when there is nothing to play.
    bool playTrack(int track);
    bool playFrom(int minutes, int seconds);
    /// Plays from the current position.
    bool play();
    /// Stops; the position stays where it was.
    void stop();
    bool isPlaying() const { return m_output != nullptr; }

    /// Runs on a device thread when a playback has played to its end or broke off, with the
    /// playback's number; the owner posts to its own thread and calls playbackEnded() there.
    void setEndHandler(std::function<void(uint64_t playback)> handler) { m_onEnd = std::move(handler); }
    /// Closes the ended playback `playback` (one that was stopped or replaced meanwhile is let
    /// be). False when it broke off at a sector that could not be read (the disc was taken out,
    /// or is damaged there); errorText() says which.
    bool playbackEnded(uint64_t playback);

    static std::string minutesText(int32_t sectors);

private:
    bool playSectors(int32_t start);

    OutputFactory m_outputs;
    int32_t m_outputId;
    std::shared_ptr<CdDisc> m_disc;
    std::string m_error;
    std::unique_ptr<AudioOutput> m_output;
    std::shared_ptr<CdSource> m_source;
    std::function<void(uint64_t)> m_onEnd;
    uint64_t m_playback = 0; ///< number of the latest playback
    int32_t m_playStart = 0; ///< the sector the running playback started at
    int32_t m_position = 0; ///< the position while stopped
};

} // namespace kx
