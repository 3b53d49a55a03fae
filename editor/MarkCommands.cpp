#include "MarkCommands.h"

#include "CommandIds.h"
#include "documents/SharedDocument.h"

#include <mutex>

namespace kx {

bool runMarkCommand(SharedDocument& shared, int id)
{
    if (id != CmdMarkAll && id != CmdDestroyMark)
        return false;
    std::unique_lock lock(shared.lock);
    WaveDocument& document = shared.document;
    if (document.header.dataSize == 0)
        return false;
    document.mark.markStart = 0;
    document.mark.markLength = id == CmdMarkAll ? document.header.dataSize : 0;
    return true;
}

} // namespace kx
