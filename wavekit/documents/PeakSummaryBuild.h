#pragma once

#include "PeakSummary.h"

#include <atomic>
#include <memory>

namespace kx {

struct SharedDocument;

/// Builds the peak summary of a document's samples as they are now, reading them under the
/// document's shared lock in pieces of about a megabyte, so that an operation waits at most for one
/// piece. Null when `stop` is set, when an operation works on the document, when it is empty, or when its samples
/// change meanwhile (their generation moves on).
std::shared_ptr<const PeakSummary> buildPeakSummary(const SharedDocument& shared, const std::atomic<bool>& stop);

} // namespace kx
