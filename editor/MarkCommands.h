#pragma once

namespace kx {

struct SharedDocument;

/// "Mark all" (225) and "Destroy Mark" (221) on a document, as the position bar's buttons do
/// them: the mark becomes the whole data, or nothing at the start. A document without data does
/// not change. True when `id` is one of the two and the document has data.
bool runMarkCommand(SharedDocument& document, int id);

} // namespace kx
