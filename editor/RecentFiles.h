#pragma once

#include <string>
#include <vector>

namespace kx {

/// The recent-file list in the settings store ("Kestrix\RecentFiles\File1" is the newest).
class RecentFiles {
public:
    /// How many entries the list keeps (at most 20).
    static int capacity();
    /// Every entry, empty ones included, newest first.
    static std::vector<std::string> entries();
    /// Puts `path` first unless an entry already names it (ignoring case); an existing entry is
    /// not moved.
    static void add(const std::string& path);
};

} // namespace kx
