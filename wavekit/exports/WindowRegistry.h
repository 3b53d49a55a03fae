#pragma once

#include "wavekit/wavekit.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

/// Inside the suite a handle's type is complete, so handles can travel through Qt signals; it is
/// never dereferenced (a handle is a registry number, not an address).
struct HWND__ {
    char unused;
};

namespace kx {

struct SharedDocument;

/// Resolves window handles to live windows and documents from any thread. A handle is a number
/// handed out once; a closed window's handle resolves to nothing ever after.
class WindowRegistry {
public:
    /// Answers the private messages sent to a window, on the window's thread.
    using MessageHandler = std::function<intptr_t(uint32_t message, uintptr_t wParam, intptr_t lParam)>;

    /// Registers a window (which may be null for a document without a window, as in tools and
    /// tests) with its document (null for windows that are not wave windows).
    static HWND add(QWidget* window, std::shared_ptr<SharedDocument> document);
    static void remove(HWND handle);
    /// Installs the handler of a registered window's private messages.
    static void setMessageHandler(HWND handle, MessageHandler handler);

    /// The document of a wave window, held for as long as the caller keeps it; null when the
    /// handle names no wave window (any more).
    static std::shared_ptr<SharedDocument> document(HWND handle);
    /// The window itself; null when closed.
    static QWidget* window(HWND handle);
    static HWND handleOf(const QWidget* window);
    /// The window and message handler of a handle, both null when it names nothing.
    static std::pair<QPointer<QWidget>, MessageHandler> receiver(HWND handle);
};

} // namespace kx
