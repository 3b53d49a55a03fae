#pragma once

#include "AudioOutput.h"
#include "DocumentSource.h"

#include <cstdint>
#include <memory>

namespace kx {

/// The one playback of a program: a document (or its mark) on one output device.
///
/// Every call comes from one thread (the user-interface thread). The done handler runs on a device
/// thread when a playback reaches its end; the owner then calls stop() from its own thread, which
/// releases the device. stop() before an operation resizes the playing document keeps the play
/// position meaningful; memory safety does not depend on it (see DocumentSource).
class Player {
public:
    explicit Player(OutputFactory factory);
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    /// Stops any playback, then plays the document's mark, or all its data when nothing is
    /// marked, on `deviceId`; with `loop` it plays until stopped. A document without data plays
    /// nothing and opens no device. A failure carries the device's text and leaves no device open.
    DeviceStatus play(
        std::shared_ptr<SharedDocument> document, int32_t deviceId, bool loop, AudioOutput::DoneHandler onDone);
    /// Pause toggles: a second pause resumes.
    void pause();
    void resume();
    /// Ends the playback and closes the device; does nothing when nothing plays.
    void stop();

    bool isOpen() const { return m_output != nullptr; }
    bool isPaused() const { return m_output && m_output->isPaused(); }
    /// The document being played, or null.
    const SharedDocument* document() const { return m_source ? m_source->document().get() : nullptr; }
    PlayRange range() const { return m_range; }
    /// The byte offset in the sample data last handed to the device.
    uint64_t position() const;

private:
    OutputFactory m_factory;
    std::unique_ptr<AudioOutput> m_output;
    std::shared_ptr<DocumentSource> m_source;
    PlayRange m_range;
    bool m_loop = false;
};

} // namespace kx
