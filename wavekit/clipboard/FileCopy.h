#pragma once

#include <string>
#include <sys/types.h>

namespace kx {

/// Copies the file `from` over `to` (the clipboard exchange with ordinary files). The copy is
/// built beside `to` and renamed into place, so a failure leaves `to` as it was. A new `to` gets
/// `newFileMode` under the umask; a replaced one keeps its mode. False on any failure, including
/// a missing source.
bool copyFileReplacing(const std::string& from, const std::string& to, mode_t newFileMode = 0666);

} // namespace kx
