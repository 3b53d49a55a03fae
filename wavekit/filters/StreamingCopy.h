#pragma once

#include <cstddef>
#include <cstdint>

namespace kx {

/// memcpy for copies nobody reads soon (the undo copy of a filter's range): large copies bypass
/// the cache, so the target's lines are neither fetched first nor crowd out the samples the filter
/// is about to change.
void copyPastCache(uint8_t* target, const uint8_t* source, std::size_t length);

} // namespace kx
