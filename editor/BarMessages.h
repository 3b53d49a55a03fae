#pragma once

#include <cstdint>

namespace kx {

/// Private messages between the frame's bars (the numbers are those of the suite's catalogue).
enum BarMessage : uint32_t {
    MsgMousePosition = 1141, ///< to the position bar; wParam: marking flag, lParam: byte under the mouse
    MsgReadPreviewQuality = 1144, ///< to the preview bar: read its drawing step again
    MsgRedrawOutline = 1148, ///< to the preview bar: draw the active document's mark again
    MsgShowMark = 1171, ///< to the position bar: show the active document's mark
    MsgEnableTimes = 1172, ///< to the position bar: a document is active
    MsgDisableTimes = 1173, ///< to the position bar: no document is active
};

} // namespace kx
