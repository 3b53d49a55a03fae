#include "FrameLayout.h"

namespace kx {

FrameLayout computeFrameLayout(QSize client, int previewHeight, bool helpShown)
{
    const int w = client.width();
    const int h = client.height();
    const int p = previewHeight;
    const int middle = h - p - 93; // height of everything between the bars
    FrameLayout layout;
    layout.mdiClient = QRect(50, 46, helpShown ? w - 350 : w - 50, middle);
    layout.iconBar = QRect(0, 0, w, 32);
    layout.rollDownPanel = QRect(0, 29, w, 18);
    layout.previewBar = QRect(0, h - p - 22, w - 20, p);
    layout.previewSwitch = QRect(w - 20, h - p - 22, 20, p);
    layout.threadManager = QRect(0, h - p - 20, w - 20, p - 13);
    layout.positionBar = QRect(0, h - p - 46, w, 25);
    layout.statusBar = QRect(0, h - 22, w, 22);
    layout.functionBar = QRect(0, 46, 50, middle);
    if (helpShown)
        layout.helpWindow = QRect(w - 300, 46, 300, middle);
    return layout;
}

} // namespace kx
