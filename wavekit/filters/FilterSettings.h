#pragma once

// Where each filter's parameters live in the settings store and what they are when unset. The
// dialogs and wavetool read these; the filters themselves take plain values.

#include <cstdint>

namespace kx::filtersettings {

struct WordSetting {
    const char* path;
    uint16_t defaultValue;
};

inline constexpr WordSetting kVolume { "Kestrix\\Settings\\Filters\\Volume", 200 };
inline constexpr WordSetting kFadeIn { "Kestrix\\Settings\\Filters\\FadeIn", 10 };
inline constexpr WordSetting kFadeOut { "Kestrix\\Settings\\Filters\\FadeOut", 10 };
inline constexpr WordSetting kSilenceSec { "Kestrix\\Settings\\Filters\\Silence\\Sec", 1 };
inline constexpr WordSetting kSilenceMs { "Kestrix\\Settings\\Filters\\Silence\\MS", 0 };
/// Tenths of a percent of full scale; no dialog writes it.
inline constexpr WordSetting kZeroizePercent { "Kestrix\\Settings\\Filters\\Zeroize\\Percent", 30 };
inline constexpr WordSetting kVelocity { "Kestrix\\Settings\\Filters\\Velocity", 200 };
/// Read as a boolean.
inline constexpr WordSetting kVelocitySmooth { "Kestrix\\Settings\\Filters\\VelocitySmooth", 1 };
inline constexpr WordSetting kVelocitySmoothValue { "Kestrix\\Settings\\Filters\\VelocitySmoothValue", 3 };
inline constexpr WordSetting kLowPass { "Kestrix\\Settings\\Filters\\LowPass", 4 };
/// Pin counts of the two Drawtone curves.
inline constexpr WordSetting kDrawtoneVolumePins { "Kestrix\\Settings\\Drawtone\\VolumeNumber", 4 };
inline constexpr WordSetting kDrawtoneFadePins { "Kestrix\\Settings\\Drawtone\\FadeChannelsNumber", 5 };

} // namespace kx::filtersettings
