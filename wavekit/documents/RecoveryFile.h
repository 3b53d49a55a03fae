#pragma once

#include "SharedDocument.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace kx {

/// How a recovery copy's writing ended.
enum class RecoveryWriteStatus {
    Written,
    Interrupted, ///< the document changed or got busy meanwhile, or the write was given up: nothing replaced
    Failed, ///< the file could not be written; the previous copy stays
};

struct RecoveryWriteOptions {
    /// Bytes of samples copied per hold of the document's shared lock.
    std::size_t blockBytes = 4u << 20;
    /// Asked between blocks; true gives the write up.
    std::function<bool()> giveUp;
};

/// Writes a recovery copy of `shared` (format, samples, mark, texts, name and source) to `path`:
/// beside it without a name, then synced and renamed over it, so a program that dies while
/// writing leaves the previous copy whole. The samples are copied block by block under the
/// shared lock; a document that starts an operation or changes its size meanwhile ends the
/// write as Interrupted. The file is made 0600.
RecoveryWriteStatus writeRecoveryFile(
    const SharedDocument& shared, const std::string& path, const RecoveryWriteOptions& options = {});

/// The name of the document a recovery copy holds, read without its samples; nullopt when the
/// file is no whole, sound copy (a damaged copy is offered for discarding, never loaded).
std::optional<std::string> recoveredName(const std::string& path);
/// The document a recovery copy holds, marked not saved; nullopt when the file is no whole copy.
std::optional<WaveDocument> readRecoveryFile(const std::string& path);

} // namespace kx
