#pragma once

#include <cstdint>
#include <string>

namespace kx {

/// The status bar's line for menu item `id` whose string-table entry is `entry` (null when it
/// has none): the window list always reads "Activate this window", an item without an entry says
/// so, and only the part before a carriage return is shown (after it stands the tool tip).
std::string menuTextLine(uint32_t id, const char* entry);

} // namespace kx
