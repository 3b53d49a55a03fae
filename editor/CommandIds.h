#pragma once

#include "exports/OperationCodes.h"

#include <QString>

namespace kx {

/// Commands of the frame window (menus, tool bars, accelerators).
enum Command : int {
    CmdNew = 101,
    CmdOpen = 102,
    CmdSave = 103,
    CmdSaveAs = 104,
    CmdClose = 105,
    CmdOpenPath = 106,
    CmdOptions = 201,
    CmdVolume = 203,
    CmdFadeIn = 205,
    CmdFadeOut = 206,
    CmdVelocity = 207,
    CmdSilence = 208,
    CmdDestroyMark = 221,
    CmdReverse = 222,
    CmdMarkAll = 225,
    CmdInsertSilence = 226,
    CmdSoften = 227,
    CmdFadeLeftToRight = 228,
    CmdUndo = 229,
    CmdRedo = 230,
    CmdDrawtoneVolume = 231,
    CmdMaxVolume = 232,
    CmdFadeRightToLeft = 234,
    CmdDrawtoneFadeChannels = 235, ///< the function bar's channel curve
    CmdZeroize = 236,
    CmdRevert = 238,
    CmdBulkwave = 239,
    CmdCut = 301,
    CmdCopy = 302,
    CmdPaste = 303,
    CmdMix = 304,
    CmdDelete = 305,
    CmdCrop = 306,
    CmdConvert = 320,
    CmdPlay = 501,
    CmdStop = 502,
    CmdPause = 503,
    CmdRecord = 505,
    CmdPlayLoop = 507,
    CmdHeaderSettings = 510,
    CmdCdTrack = 511, ///< plays the CD track named on the command line
    CmdCascade = 701,
    CmdTile = 702,
    CmdArrangeSymbols = 703,
    CmdRestore = 704,
    CmdCloseAll = 705,
    CmdVolumeUp = 707,
    CmdVolumeDown = 708,
    CmdRebuildPreview = 742,
    CmdTruePeaks = 743, ///< draws the true peaks of every column, or samples them
    CmdHelpWindow = 753,
    CmdThreadManager = 754,
    CmdCdPlayer = 766,
    CmdWindowFirst = 800, ///< the Window menu's list of open windows
    CmdWindowLast = 898,
    CmdHelpContents = 901,
    CmdUseHelp = 902,
    CmdUseMenus = 903,
    CmdDeviceCaps = 904,
    CmdSelectOutput = 908,
    CmdAbout = 909,
    CmdExit = 999,
    CmdRecentFirst = 3001,
    CmdRecentLast = 3020,
    CmdTipsAndTricks = 40010,
    CmdHomepage = 40011,
};

/// The thread manager's name of an operation code.
QString operationName(int code);

/// The status bar's help for a menu item while the menu is open (the part of the text before a
/// carriage return; after it stands the tool tip).
QString menuHelpText(int id);

} // namespace kx
