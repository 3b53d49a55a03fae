#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx {

/// Texts that do not fit the store's read buffer (terminating zero included) cannot be read back.
inline constexpr std::size_t kSettingReadBufferSize = 500;

/// Parses a setting text the way every numeric reader does: leading white space, one optional
/// sign, decimal digits accumulated with 32-bit wrap-around, anything after them ignored.
int32_t parseSettingNumber(std::string_view text);

/// Hierarchical key store behind the exported Reg* functions. Each call opens the backing file,
/// does its one read or write and lets go again, so other processes see every write at once.
class SettingsStore {
public:
    /// The text stored at `path` (backslash separated), if the key holds one that fits the read
    /// buffer.
    static std::optional<std::string> read(std::string_view path);
    static bool write(std::string_view path, std::string_view text);
    /// Names of the keys directly below `path` ("" for the root), in sorted order.
    static std::vector<std::string> subKeys(std::string_view path);

    /// Redirects the store to `<directory>/QuellWerk/QuellWerk.ini`; used by tests and tools.
    static void setDirectory(const std::string& directory);
    /// The file the store currently reads and writes.
    static std::string filePath();
};

} // namespace kx
