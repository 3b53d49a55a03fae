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
    CmdSeparateChannels = 237,
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
    CmdPlayOrStop = 508, ///< the Space key: stops the active window's playback, else plays
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
    CmdCursorToStart = 744, ///< Home: the cursor to the start of the data
    CmdCursorToEnd = 745, ///< End: the cursor to the end of the data
    CmdHelpWindow = 753,
    CmdThreadManager = 754,
    CmdExtensionButtons = 755, ///< shows or hides the extensions' buttons on the function bar
    CmdFunctionBar = 756, ///< shows the function bar again after its caption hid it
    CmdCdPlayer = 766,
    CmdWindowFirst = 800, ///< the Window menu's list of open windows
    CmdWindowLast = 898,
    CmdHelpContents = 901,
    CmdUseHelp = 902,
    CmdUseMenus = 903,
    CmdDeviceCaps = 904,
    CmdSelectOutput = 908,
    CmdAbout = 909,
    CmdVolumeControl = 911,
    CmdDockFunctionBar = 923,
    CmdTonedeck = 931,
    CmdExit = 999,
    CmdRecentFirst = 3001,
    CmdRecentLast = 3020,
    CmdZoomOriginal = 10001, ///< the zoom menu: 10001..10008 set a zoom
    CmdWholeFile = 10008,
    CmdZoomBy = 10010, ///< the zoom dialog
    CmdTipsAndTricks = 40010,
    CmdHomepage = 40011,
};

/// The thread manager's name of an operation code.
QString operationName(int code);

/// The string-table entry of a command: the status bar's help, a carriage return, the tool tip;
/// null when it has none.
const char* commandString(int id);

/// The status bar's help for a menu item while the menu is open (the part of the text before a
/// carriage return; after it stands the tool tip).
QString menuHelpText(int id);

} // namespace kx
