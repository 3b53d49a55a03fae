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

/// The wave window an operation works on and the frame it reports to.
struct OperationTarget {
    HWND frame = nullptr;
    HWND wave = nullptr;
};

/// The editor hands an operation the wave window it checked and marked busy, and the operation
/// asks that window for the frame; a routine handed the frame asks it for the active window.
OperationTarget operationTarget(HWND frameOrWave);

} // namespace kx
