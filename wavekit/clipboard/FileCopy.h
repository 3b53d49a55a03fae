#pragma once

#include <string>
#include <sys/types.h>

namespace kx {

enum class FileCopyStatus {
    Copied,
    CannotRead, ///< the source is missing, not a regular file or unreadable
    CannotWrite, ///< the copy could not be written or put in place
};

/// Copies the file `from` over `to` (the clipboard exchange with ordinary files). The copy is
/// built beside `to` and renamed into place, so a failure leaves `to` as it was and no copy behind.
/// A new `to` gets `newFileMode` less the umask; a replaced one keeps its mode.
FileCopyStatus copyFileReplacing(const std::string& from, const std::string& to, mode_t newFileMode = 0666);

} // namespace kx
