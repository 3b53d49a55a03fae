#pragma once

#include "documents/WaveDocument.h"

#include <cstdint>
#include <string>

namespace kx {

enum class CopyStatus {
    Copied,
    NothingToCopy, ///< the document has no data
    NotEnoughSpace, ///< "Not enough free memory on specified drive.\nYou need %ld KB more."
    CannotWrite, ///< "Cannot write data."
};

struct CopyResult {
    CopyStatus status = CopyStatus::Copied;
    uint64_t missingBytes = 0; ///< for NotEnoughSpace
};

/// Writes the marked range (the whole data when nothing is marked) to the clipboard file at
/// `path`: exactly 44 + n bytes, a canonical header with dataSize n and the n bytes. The new file
/// replaces the old one only once it is complete, so a failed copy keeps the previous clipboard.
/// The space check asks for room for the whole document, whatever is copied. The document is
/// not changed.
CopyResult copyToClipboard(const WaveDocument& document, const std::string& path);

/// The text shown for a failed copy; "" when there is nothing to show.
std::string copyMessage(const CopyResult& result);

} // namespace kx
