#include "ThreadCommands.h"

#include "ClipboardCommands.h"
#include "CommandIds.h"

namespace kx {

namespace {

int32_t convert(HWND frame, HWND)
{
    return ConvertFile(frame);
}

int32_t headerSettings(HWND frame, HWND)
{
    return ShowHeader(frame);
}

const DirectCommand kDirectCommands[] = {
    { CmdConvert, convert, true },
    { CmdHeaderSettings, headerSettings, true },
    { CmdDelete, eraseMarked, true },
    { CmdCrop, cropMarked, true },
    { CmdDeleteClipboard, deleteClipboard, false },
    { CmdExportClipboard, exportClipboard, false },
    { CmdImportClipboard, importClipboard, false },
    { CmdClipboardInfo, showClipboardInfo, false },
};

} // namespace

const DirectCommand* findDirectCommand(int id)
{
    for (const DirectCommand& command : kDirectCommands) {
        if (command.id == id)
            return &command;
    }
    return nullptr;
}

} // namespace kx
