#pragma once

#include "filters/FilterSettings.h"

#include <string>

namespace kx {

/// Where the sound clipboard lives: one WAV file in the user's private directory that outlives
/// the editor, guarded by a lock every process of the user shares.
class ClipboardLocation {
public:
    static constexpr const char* kFileName = "KexCLIP.WAV";
    static constexpr const char* kLockName = "KexClipboard";

    /// The private directory, unless a directory has been set; "" when there is none.
    static std::string directory();
    /// Moves the clipboard elsewhere (tests); an empty path restores the private directory.
    static void setDirectory(const std::string& directory);
    /// "" when there is no directory for it: reading finds no clipboard, writing fails.
    static std::string filePath();
};

/// Gain of paste-and-mix in percent.
inline constexpr filtersettings::WordSetting kPasteMixLouder { "Kestrix\\Settings\\Filters\\PasteMixLouder", 150 };

} // namespace kx
