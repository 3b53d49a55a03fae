#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kx {

/// Output device ids as the settings keep them: -1 is the default device (stored as
/// "4294967295"), 0.. the output devices in enumeration order.
namespace outputdevices {

    constexpr int32_t kDefaultDevice = -1;
    constexpr const char* kDefaultDeviceName = "Plug & Play (Automatic recognition)";
    constexpr const char* kNoDeviceText = "No output device installed.";

    /// The id a stored text names; the default device when the text is empty or not a number.
    int32_t idFromText(const std::string& text);
    /// The text an id is stored as: the id as an unsigned 32-bit number.
    std::string textOfId(int32_t id);

    /// Product names of the backend's output devices, in id order.
    std::vector<std::string> names();
    /// What a device chooser lists: the default device first, then every device; empty when there is
    /// no output device at all. Entry i stands for the id i - 1.
    std::vector<std::string> choices();

} // namespace outputdevices

} // namespace kx
