#include "ThreadCommands.h"

#include "ClipboardCommands.h"
#include "CommandIds.h"
#include "exports/WindowRequests.h"

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

// Into two new windows: the stereo document itself stays as it is.
int32_t separateChannels(HWND frame, HWND wave)
{
    SeparateChannels(frame, reinterpret_cast<HWND>(SendMessage(frame, MsgGetMdiClient, 0, 0)), wave);
    return 0;
}

const DirectCommand kDirectCommands[] = {
    { CmdConvert, convert, true },
    { CmdHeaderSettings, headerSettings, true },
    { CmdDelete, eraseMarked, true },
    { CmdCrop, cropMarked, true },
    { CmdSeparateChannels, separateChannels, true },
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
