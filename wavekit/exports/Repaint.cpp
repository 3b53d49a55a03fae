#include "Repaint.h"

#include "WindowRequests.h"

namespace kx {

void repaintBar(HWND frame, uint32_t getMessage)
{
    PostMessage(reinterpret_cast<HWND>(SendMessage(frame, getMessage, 0, 0)), MsgInvalidate, 0, 0);
}

void repaintDocument(HWND frame, HWND wave)
{
    PostMessage(wave, MsgInvalidate, 0, 0);
    repaintBar(frame, MsgGetPreviewBar);
    repaintBar(frame, MsgGetStatusBar);
}

void showChangedData(HWND frame, HWND wave)
{
    SendMessage(wave, MsgRecomputeScroll, 0, 0);
    repaintDocument(frame, wave);
}

} // namespace kx
