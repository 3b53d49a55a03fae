#pragma once

#include "documents/WaveHeader.h"
#include "wavekit/wavekit.h"

#include <memory>

namespace kx {

struct SharedDocument;

/// The frame's active wave window and its document; `shared` is null when there is none.
struct ActiveDocument {
    HWND wave = nullptr;
    std::shared_ptr<SharedDocument> shared;

    /// A copy of the document's header, taken under its lock.
    WaveHeader header() const;
};

ActiveDocument activeDocument(HWND frame);

} // namespace kx
