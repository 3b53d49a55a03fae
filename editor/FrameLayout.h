#pragma once

#include <QRect>
#include <QSize>

namespace kx {

/// Where the frame puts its child windows for one client size.
struct FrameLayout {
    QRect mdiClient;
    QRect iconBar;
    QRect rollDownPanel;
    QRect previewBar;
    QRect previewSwitch;
    QRect threadManager;
    QRect positionBar;
    QRect statusBar;
    QRect functionBar;
    QRect helpWindow; ///< empty while the help window is hidden
};

/// The frame layout for a client area of `client`, a preview bar of `previewHeight` pixels and
/// the help window shown or not. The MDI client keeps its left/top corner at (50, 46).
FrameLayout computeFrameLayout(QSize client, int previewHeight, bool helpShown);

} // namespace kx
