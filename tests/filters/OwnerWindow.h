#pragma once

// The window the dialog tests hand the dialogs as their frame.

#include "exports/WindowRegistry.h"

#include <QWidget>

namespace kx::test {

/// An owner window at a known place, registered like the frame.
struct Owner {
    QWidget widget;
    HWND handle;
    Owner()
    {
        widget.setGeometry(100, 100, 800, 600);
        widget.show();
        handle = WindowRegistry::add(&widget, nullptr);
    }
    ~Owner() { WindowRegistry::remove(handle); }
};

} // namespace kx::test
