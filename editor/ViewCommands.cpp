#include "ViewCommands.h"

#include "CommandIds.h"
#include "WaveView.h"
#include "WaveWindow.h"
#include "ZoomSteps.h"

namespace kx {

bool isViewCommand(int id)
{
    return id == CmdCursorToStart || id == CmdCursorToEnd || id == CmdZoomBy || zoomsteps::preset(id).has_value();
}

bool runViewCommand(int id, HWND frame, WaveWindow* active)
{
    if (id == CmdCursorToStart || id == CmdCursorToEnd) {
        if (active)
            active->view()->placeCursorAtEdge(id == CmdCursorToEnd);
        return true;
    }
    if (id == CmdZoomBy) {
        if (active && ShowZoomBy(frame))
            active->view()->showZoom();
        return true;
    }
    if (const std::optional<uint32_t> zoom = zoomsteps::preset(id)) {
        if (active)
            active->view()->setZoom(*zoom);
        return true;
    }
    return false;
}

} // namespace kx
