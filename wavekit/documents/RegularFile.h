#pragma once

#include <string>

namespace kx {

/// A descriptor opened for reading, or why there is none.
struct RegularFile {
    int fd = -1;
    /// The name exists but is a folder, pipe, socket or device: refused before anything waited
    /// for a writer or read a byte.
    bool notRegular = false;
};

/// Opens `path` read-only (plus `extraFlags`, e.g. O_NOFOLLOW) when it is a regular file. The open
/// itself does not block, so a named pipe without a writer cannot hang the caller.
RegularFile openRegularFile(const std::string& path, int extraFlags = 0);

/// The text a reader gives for a name that is no regular file.
inline constexpr const char* kNotRegularFileText
    = "The file is not a regular file (a folder, pipe or device) and cannot be opened.";

} // namespace kx
