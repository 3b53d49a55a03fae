#include "ThreadCommands.h"

#include "ClipboardCommands.h"
#include "CommandIds.h"

namespace kx {

namespace {

int32_t undo(HWND, HWND wave)
{
    return RestoreUndoInformation(wave);
}

int32_t redo(HWND, HWND wave)
{
    return RestoreRedoInformation(wave);
}

int32_t convert(HWND frame, HWND)
{
    return ConvertFile(frame);
}

int32_t headerSettings(HWND frame, HWND)
{
    return ShowHeader(frame);
}

const DirectCommand kDirectCommands[] = {
    {CmdUndo, undo, true},
    {CmdRedo, redo, true},
    {CmdConvert, convert, true},
    {CmdHeaderSettings, headerSettings, true},
    {CmdDelete, eraseMarked, true},
    {CmdCrop, cropMarked, true},
    {CmdDeleteClipboard, deleteClipboard, false},
    {CmdExportClipboard, exportClipboard, false},
    {CmdImportClipboard, importClipboard, false},
    {CmdClipboardInfo, showClipboardInfo, false},
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
