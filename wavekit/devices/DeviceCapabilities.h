#pragma once

#include "PortAudioSession.h"

#include <cstdint>
#include <string>

namespace kx {

/// What the capabilities sheet shows of one device.
struct DeviceCapabilities {
    std::string productName;
    uint16_t driverVersion = 0; ///< major version in the high byte, minor in the low byte
    uint32_t formats = 0; ///< the StandardFormat bits the device accepts

    /// Asks the backend about device `deviceId` (-1: the default device) in `direction`. A device
    /// that does not exist gives an empty name and no formats.
    static DeviceCapabilities query(int32_t deviceId, DeviceDirection direction);
};

} // namespace kx
