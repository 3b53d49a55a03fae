#include "PlayerCommands.h"

namespace kx::padplay {

const char* commandTip(int command)
{
    switch (command) {
    case CmdNew:
        return "Creates new Tonedeck - file";
    case CmdOpen:
        return "Opens Tonedeck file";
    case CmdSave:
        return "Saves Tonedeck - file using the current name and path";
    case CmdSaveAs:
        return "Saves Tonedeck - file using a new name and path";
    case CmdRenamePage:
        return "Specifies a new registername for a page";
    case CmdDeleteMode:
        return "Deletes the next pressed button";
    case CmdRepeatMode:
        return "Repeats the next pressed button";
    case CmdStop:
        return "Stops playback";
    case CmdStartEditor:
        return "Starts Kestrix2000";
    case CmdFileManager:
        return "Starts the file manager for Drag & Drop operations";
    case CmdClearButton:
        return "Deletes the current button";
    case CmdHelp:
        return "Shows help contents";
    case CmdAbout:
        return "Shows information about Zor - Tonedeck";
    case CmdExit:
        return "Closes Zor - Tonedeck";
    }
    return "";
}

} // namespace kx::padplay
