// The player's command numbers: menus, tool bar, accelerators and context menus all send these.
#pragma once

namespace kx::padplay {

enum Command : int {
    CmdNew = 101,
    CmdOpen = 102,
    CmdSave = 103,
    CmdSaveAs = 104,
    CmdRenamePage = 201,
    CmdDeleteMode = 202,
    CmdRepeatMode = 203,
    CmdStop = 501,
    CmdStartEditor = 502,
    CmdFileManager = 505,
    CmdClearButton = 742,
    CmdPlayButton = 743,
    CmdLoopButton = 744,
    CmdChooseSound = 745,
    CmdEditSound = 746,
    CmdFirstPage = 801, ///< 801 to 808: show page 1 to 8
    CmdHelp = 901,
    CmdAbout = 998,
    CmdExit = 999,
    CmdFirstButton = 1001, ///< 1001 to 1044: button 1 to 44 pressed
};

/// The tool-tip of a command, empty for commands without one.
const char* commandTip(int command);

} // namespace kx::padplay
