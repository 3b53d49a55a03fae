#pragma once

#include "AudioSource.h"
#include "documents/PcmFormat.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kx {

/// The outcome of a device call: empty text on success, else the backend's own words.
struct DeviceStatus {
    std::string errorText;

    bool ok() const { return errorText.empty(); }
    static DeviceStatus success() { return {}; }
    static DeviceStatus failure(std::string text)
    {
        return { text.empty() ? "Unknown device error." : std::move(text) };
    }
};

/// One waveform output device, open for one PCM format, playing one source at a time.
///
/// Life: open() once, then start() with a source; pause()/resume() any number of times; stop()
/// drops whatever is queued; close() (also done by the destructor) releases the device.
/// The done handler runs on a device thread once the source has ended and its last byte has been
/// handed to the device; it is never called for a playback ended by stop(), and never after stop()
/// or close() returned. It must not call back into this object; post to your own thread instead.
class AudioOutput {
public:
    using DoneHandler = std::function<void()>;

    virtual ~AudioOutput() = default;

    /// Opens the device for `format`; fails with the backend's text when it refuses the format.
    virtual DeviceStatus open(const PcmFormat& format) = 0;
    /// Starts pulling `source` and sending it to the device.
    virtual DeviceStatus start(std::shared_ptr<AudioSource> source, DoneHandler onDone) = 0;
    /// Holds the play position; the device plays silence meanwhile.
    virtual void pause() = 0;
    virtual void resume() = 0;
    /// Ends the playback at once and forgets the source.
    virtual void stop() = 0;
    virtual void close() = 0;

    virtual bool isPaused() const = 0;
    /// Source bytes handed to the device since start().
    virtual uint64_t bytesPlayed() const = 0;
};

/// Makes the output for a device id (-1: the default device). Lets the player run on the real
/// backend or on the test device.
using OutputFactory = std::function<std::unique_ptr<AudioOutput>(int32_t deviceId)>;

} // namespace kx
