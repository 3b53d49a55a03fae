#pragma once

#include "wavekit/wavekit.h"

#include <QPointer>
#include <QWidget>

#include <memory>

namespace kx {

struct WaveDocument;

/// Resolves window handles to live windows and documents from any thread. A handle is a number
/// handed out once; a closed window's handle resolves to nothing ever after.
class WindowRegistry {
public:
    /// Registers a window (which may be null for a document without a window, as in tools and
    /// tests) with its document (null for windows that are not wave windows).
    static HWND add(QWidget* window, std::shared_ptr<WaveDocument> document);
    static void remove(HWND handle);

    /// The document of a wave window, held for as long as the caller keeps it; null when the
    /// handle names no wave window (any more).
    static std::shared_ptr<WaveDocument> document(HWND handle);
    /// The window itself; null when closed.
    static QWidget* window(HWND handle);
    static HWND handleOf(const QWidget* window);
};

} // namespace kx
