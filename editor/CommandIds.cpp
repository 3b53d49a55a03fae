#include "CommandIds.h"

namespace kx {

QString operationName(int code)
{
    switch (code) {
    case OpLowPass:
        return QStringLiteral("LowPass - Filter");
    case OpVolume:
        return QStringLiteral("Volume - Filter");
    case OpFadeIn:
        return QStringLiteral("Fade In - Filter");
    case OpFadeOut:
        return QStringLiteral("Fade Out - Filter");
    case OpFadeLeftToRight:
        return QStringLiteral("Fade Channels Left To Right - Filter");
    case OpPeakVolume:
        return QStringLiteral("Peak Volume - Filter");
    case OpReverse:
        return QStringLiteral("Reverse - Filter");
    case OpUndo:
        return QStringLiteral("Undo");
    case OpRedo:
        return QStringLiteral("Redo");
    case OpCopy:
        return QStringLiteral("Copy To Clipboard");
    case OpPaste:
        return QStringLiteral("Paste From Clipboard");
    case OpMix:
        return QStringLiteral("Mix from Clipboard");
    case OpOpenFile:
        return QStringLiteral("Open File ");
    case OpSaveFile:
        return QStringLiteral("Save File");
    case OpExportFile:
        return QStringLiteral("Export File");
    case OpVelocity:
        return QStringLiteral("Velocity - Filter");
    case OpSilence:
        return QStringLiteral("Silence - Filter");
    case OpFadeRightToLeft:
        return QStringLiteral("Fade Channels Right To Left - Filter");
    case OpInsertSilence:
        return QStringLiteral("Insert Silence - Filter");
    case OpDrawtoneVolume:
        return QStringLiteral("Drawtone Volume - Filter");
    case OpDrawtoneFadeChannels:
        return QStringLiteral("Drawtone Fade Channels - Filter");
    case OpExtensionFilter:
        return QStringLiteral("Kestrix2000 Extension Filter");
    case OpZeroize:
        return QStringLiteral("Zeroize - Filter");
    }
    return QString();
}

} // namespace kx

#include "exports/MenuText.h"

namespace kx {

const char* commandString(int id)
{
    switch (id) {
    case CmdNew:
        return "Creates a new wavefile in a new window\rNew File";
    case CmdOpen:
        return "Opens a wave, AVI, raw or compressed sound file\rOpen File";
    case CmdSave:
        return "Saves the active file\rSave";
    case CmdSaveAs:
        return "Saves the active file under a new name\rSave As";
    case CmdClose:
        return "Closes the active file\rClose";
    case CmdRevert:
        return "Goes back to the saved version of the active file\rRevert";
    case CmdUndo:
        return "Undoes the last operation\rUndo";
    case CmdRedo:
        return "Does the last undone operation again\rRedo";
    case CmdCut:
        return "Moves the mark to the clipboard\rCut";
    case CmdCopy:
        return "Copies the mark to the clipboard\rCopy";
    case CmdPaste:
        return "Inserts the clipboard at the cursor\rPaste";
    case CmdMix:
        return "Mixes the clipboard into the file at the cursor\rMix";
    case CmdDelete:
        return "Deletes the mark\rDelete";
    case CmdCrop:
        return "Keeps only the mark\rCrop";
    case CmdMarkAll:
        return "Marks the whole file\rMark all";
    case CmdDestroyMark:
        return "Removes the mark\rDestroy Mark";
    case CmdTruePeaks:
        return "Draws the loudest and the softest sample of every column, or samples the file quickly\rTrue Peaks";
    case CmdPlay:
        return "Plays the file or the mark\rPlay";
    case CmdStop:
        return "Stops playing\rStop";
    case CmdPause:
        return "Pauses or resumes playing\rPause";
    case CmdWholeFile:
        return "Fits the whole file into its window\rWhole File";
    case CmdZoomBy:
        return "Sets how many sample values one pixel shows\rZoom";
    case CmdVolume:
        return "Changes the volume of the mark or the file\rVolume";
    case CmdMaxVolume:
        return "Raises the loudest sample to full scale\rMaximum Volume";
    case CmdFadeIn:
        return "Fades the mark or the file in\rFade In";
    case CmdFadeOut:
        return "Fades the mark or the file out\rFade Out";
    case CmdReverse:
        return "Plays the mark or the file backwards\rReverse";
    case CmdThreadManager:
        return "Shows or hides the running operations\rThread Manager";
    case CmdCloseAll:
        return "Closes every file\rClose all";
    case CmdExit:
        return "Quits Kestrix2000\rExit";
    case CmdHelpWindow:
        return "Shows or hides the help window at the right of the frame\rHelp Window";
    case CmdUseHelp:
        return "Explains how to find your way in the help\rUse Help";
    case CmdUseMenus:
        return "Explains every menu and its commands\rUse Menus";
    case CmdAbout:
        return "Shows the version, the libraries and their licences\rAbout Kestrix2000";
    case CmdOptions:
        return "Sets up new files, the start, the display, the CD player and the threads\rOptions";
    case CmdVelocity:
        return "Plays the mark or the file faster or slower\rVelocity";
    case CmdSilence:
        return "Silences the mark, or inserts silence at the cursor\rSilence";
    case CmdInsertSilence:
        return "Inserts silence of a chosen length at the cursor\rInsert Silence";
    case CmdSoften:
        return "Softens the sound with a moving average\rSoften";
    case CmdFadeLeftToRight:
        return "Fades the sound from the left channel to the right\rFade Channels: Left To Right";
    case CmdFadeRightToLeft:
        return "Fades the sound from the right channel to the left\rFade Channels: Right To Left";
    case CmdDrawtoneVolume:
        return "Draws the course of the volume with the mouse\rDrawtone Volume";
    case CmdDrawtoneFadeChannels:
        return "Draws the course of the balance between the channels with the mouse\rDrawtone Fade Channels";
    case CmdZeroize:
        return "Silences every sample below a threshold\rZeroize";
    case CmdSeparateChannels:
        return "Opens each channel of a stereo file as a mono file of its own\rSeperate channels";
    case CmdBulkwave:
        return "Plays and loads parts of files of any size\rBulkwave Loader";
    case CmdConvert:
        return "Converts the file to another sample format\rConvert";
    case CmdRecord:
        return "Records into the active file\rRecord";
    case CmdPlayLoop:
        return "Plays the file or the mark again and again\rPlay Infinite";
    case CmdHeaderSettings:
        return "Shows and changes the file's format and text information\rSettings";
    case CmdCascade:
        return "Arranges the windows one over the other\rCascade";
    case CmdTile:
        return "Arranges the windows side by side\rTile";
    case CmdArrangeSymbols:
        return "Arranges the minimised windows\rArrange Symbols";
    case CmdRestore:
        return "Gives the active window its normal size again\rRestore";
    case CmdVolumeUp:
        return "Turns the output volume up\rVolume Up";
    case CmdVolumeDown:
        return "Turns the output volume down\rVolume Down";
    case CmdRebuildPreview:
        return "Draws the preview of the whole file again\rRebuild Preview";
    case CmdExtensionButtons:
        return "Shows or hides the extensions' buttons on the function bar\rShow / Hide Extensions";
    case CmdFunctionBar:
        return "Shows or hides the function bar\rFunction Bar";
    case CmdCdPlayer:
        return "Shows or hides the CD player\rCD - Audio Player";
    case CmdHelpContents:
        return "Shows the help window with its contents\rHelp Contents";
    case CmdDeviceCaps:
        return "Shows what the sound devices can do\rDevice Capabilities";
    case CmdSelectOutput:
        return "Chooses the device that plays the sound\rSelect Output Device";
    case CmdVolumeControl:
        return "Starts the desktop's volume control\rVolume Control";
    case CmdDockFunctionBar:
        return "Docks the function bar at the left or lets it float\rDock / Undock";
    case CmdTonedeck:
        return "Starts the Tonedeck sound board\rTonedeck";
    case CmdTipsAndTricks:
        return "Shows the start assistant with its tips\rTips and Tricks";
    case CmdHomepage:
        return "Opens the Kestrix2000 web page\rKestrix2000 Homepage";
    }
    return nullptr;
}

QString menuHelpText(int id)
{
    return QString::fromStdString(menuTextLine(uint32_t(id), commandString(id)));
}

} // namespace kx
