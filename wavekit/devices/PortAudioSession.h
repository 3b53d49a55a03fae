#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kx {

/// Which way a device carries sound.
enum class DeviceDirection { Output, Input };

/// PortAudio, initialised once for the life of the process with the backends' chatter on stderr
/// kept out of the user's terminal. Its device list is the one taken at initialisation.
class PortAudioSession {
public:
    /// The session; initialises PortAudio on first use. Thread-safe.
    static PortAudioSession& instance();

    bool ok() const { return m_ok; }
    /// Why initialisation failed.
    const std::string& errorText() const { return m_errorText; }

    /// PortAudio's indices of the devices that carry sound in `direction`, in enumeration order.
    std::vector<int> devices(DeviceDirection direction) const;
    /// The PortAudio index for a device id (-1: the default device), or -1 when there is none.
    int resolve(int32_t deviceId, DeviceDirection direction) const;

    /// The backend's text for a PortAudio error code, with the host API's own text when it has one.
    static std::string errorText(int paError);

private:
    PortAudioSession();

    bool m_ok = false;
    std::string m_errorText;
};

} // namespace kx
