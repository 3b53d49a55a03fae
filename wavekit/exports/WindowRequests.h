#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kx {

struct SharedDocument;

/// Messages the library sends to the editor's windows besides the private catalogue.
enum WindowMessage : uint32_t {
    MsgSetText = 0x000C,       ///< lParam: const char* title
    MsgInvalidate = 0x000F,    ///< repaint soon
    MsgClose = 0x0010,         ///< close the window without asking
    MsgMdiCreate = 0x0220,     ///< to the MDI client; lParam: CreateWaveWindowRequest*; result: the new window
    MsgRecomputeScroll = 1147, ///< to a wave window: the data length changed
    MsgGetMdiClient = 1152,
    MsgGetPreviewBar = 1153,
    MsgGetStatusBar = 1146,
    MsgDestroyWindow = 1185, ///< to the frame; lParam: the window to destroy
    MsgOpenFileFromSetting = 1139, ///< to the frame: open "Kestrix\NewFile\FileOpen" in a new window
    MsgPreviewHeight = 1170,       ///< to the frame; wParam: the preview bar's new height
    MsgGetRollDown = 1159,
    MsgGetHelpWindow = 1142,
    MsgGetPlayingWindow = 1143,
    MsgGetOutputDevice = 1145,
    MsgGetWindowPopup = 1150,
    MsgGetIconBar = 1151,
    MsgGetExtensionsPopup = 1166,
    MsgGetPositionBar = 1172,
    MsgGetStartMenu = 1175,
    MsgPasteOnWindow = 1168,    ///< to the frame; wParam: the wave window the clipboard was dropped on
    MsgPasteMixOnWindow = 1184, ///< the same with Control held: mix instead of paste
    MsgGetRunningCount = 1167,
    MsgGetThreadManager = 1188,
    MsgRefreshThreadList = 1187, ///< to the thread manager: rebuild the list
    MsgPlaybackRuns = 1129,   ///< to the preview bar; wParam, lParam: start and length of the played range
    MsgPlaybackHalted = 1130, ///< to the preview bar: playback stopped or paused
    MsgOptionsStored = 1190,  ///< to the frame: the options sheet stored its settings
    MsgSetHelpTitle = 1136, ///< to the help window; wParam: const char* title
    MsgShowHelpTopic = 1300, ///< to the help window; lParam: const char* page name; result 1 when shown
    MsgLoadString = 1301, ///< to the status bar; wParam: id, lParam: std::string* for the entry; result 1 if any
};

/// What the MDI client needs to build a wave window around a document.
struct CreateWaveWindowRequest {
    std::string title;
    std::shared_ptr<SharedDocument> document;
    bool scrollBarEnabled = true;
};

} // namespace kx
