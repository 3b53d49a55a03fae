#pragma once

#include <string>

namespace kx {

/// Copies the file `from` over `to` (the clipboard exchange with ordinary files). The copy is
/// built beside `to` and renamed into place, so a failure leaves `to` as it was. False on any
/// failure, including a missing source.
bool copyFileReplacing(const std::string& from, const std::string& to);

} // namespace kx
