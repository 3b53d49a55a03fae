#include "ActiveDocument.h"

#include "OperationContext.h"
#include "WindowRegistry.h"
#include "documents/SharedDocument.h"

#include <mutex>

namespace kx {

WaveHeader ActiveDocument::header() const
{
    std::shared_lock lock(shared->lock);
    return shared->document.header;
}

ActiveDocument activeDocument(HWND frame)
{
    ActiveDocument active;
    active.wave = reinterpret_cast<HWND>(SendMessage(frame, MsgGetActiveWave, 0, 0));
    active.shared = WindowRegistry::document(active.wave);
    return active;
}

OperationTarget operationTarget(HWND frameOrWave)
{
    if (WindowRegistry::document(frameOrWave))
        return { reinterpret_cast<HWND>(SendMessage(frameOrWave, MsgGetFrame, 0, 0)), frameOrWave };
    return { frameOrWave, reinterpret_cast<HWND>(SendMessage(frameOrWave, MsgGetActiveWave, 0, 0)) };
}

} // namespace kx
