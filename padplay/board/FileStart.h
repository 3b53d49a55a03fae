#pragma once

#include <cstddef>
#include <string>

namespace kx::board {

/// Reads at most `limit` bytes from the start of the regular file `path` into `bytes`; false when
/// it is no regular file or cannot be read. Never waits on a pipe or device named like a file.
bool readFileStart(const std::string& path, std::size_t limit, std::string& bytes);

} // namespace kx::board
