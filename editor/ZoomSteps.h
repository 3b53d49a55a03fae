#pragma once

#include <cstdint>
#include <optional>

namespace kx::zoomsteps {

/// Zoom values are sample values per pixel, 1..30000; 0 fits the whole file into the window.
inline constexpr uint32_t kMaxZoom = 30000;
/// Past this zoom the wheel steps by a factor: a step of one would be imperceptible.
inline constexpr uint32_t kLinearWheelLimit = 10;

/// The roll-down panel's zoom-in button: one more; "whole file" becomes 1.
uint32_t buttonIn(uint32_t zoom);
/// The zoom-out button: one less, but 1 and "whole file" stay.
uint32_t buttonOut(uint32_t zoom);
/// A double click on the zoom-in button: ten more.
uint32_t doubleClickIn(uint32_t zoom);
/// A double click on the zoom-out button: ten less; anything below 11 becomes 1.
uint32_t doubleClickOut(uint32_t zoom);
/// `notches` Ctrl+wheel notches (positive away from the user, showing fewer values per pixel) from
/// `zoom`, which is not 0: steps of 1 up to 10, beyond that a factor of 1.25 per notch.
uint32_t wheeled(uint32_t zoom, int notches);
/// The zoom a preset of the zoom menu sets (10001..10008); nothing for other commands.
std::optional<uint32_t> preset(int command);

} // namespace kx::zoomsteps
