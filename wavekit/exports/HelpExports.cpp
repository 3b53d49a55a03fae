// Help topics in the editor's help window and the status bar's menu help.
#include "MenuText.h"
#include "OperationContext.h"
#include "WindowRegistry.h"
#include "WindowRequests.h"
#include "wavekit/wavekit.h"

#include "paneldraw/settings.h"

using namespace kx;

extern "C" {

intptr_t ShowHelpTopic(HWND window, const char* topic)
{
    if (!topic || !RegGetBool("Kestrix\\Settings\\Boolean\\HelpWinActive", 0))
        return 0;
    // A wave window names its frame; the frame itself does not answer.
    const auto frame = reinterpret_cast<HWND>(SendMessage(window, MsgGetFrame, 0, 0));
    const auto help = reinterpret_cast<HWND>(SendMessage(frame ? frame : window, MsgGetHelpWindow, 0, 0));
    return help ? SendMessage(help, MsgShowHelpTopic, 0, reinterpret_cast<intptr_t>(topic)) : 0;
}

int32_t ShowMenuText(HWND statusWindow, uint32_t id)
{
    std::string entry;
    const bool found = SendMessage(statusWindow, MsgLoadString, id, reinterpret_cast<intptr_t>(&entry)) != 0;
    const std::string line = menuTextLine(id, found ? entry.c_str() : nullptr);
    return int32_t(SendMessage(statusWindow, MsgSetText, 0, reinterpret_cast<intptr_t>(line.c_str())));
}

} // extern "C"
