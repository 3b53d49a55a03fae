// The program's own dialogs: the options and the about box.
#include "WindowRegistry.h"
#include "WindowRequests.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/ModalDialogs.h"
#include "dialogs/OptionsSheet.h"
#include "wavekit/wavekit.h"

using namespace kx;

extern "C" {

int32_t ShowOptionsPropertySheet(HWND frame)
{
    return ShowOptionsPropertySheetNum(frame, OptionsSheet::NewFiles);
}

int32_t ShowOptionsPropertySheetNum(HWND frame, int32_t page)
{
    OptionsSheet sheet(WindowRegistry::window(frame), page);
    const int32_t result = ModalDialogs::run(sheet);
    // Whoever opened the sheet, the windows that are open follow what it stored.
    if (result)
        SendMessage(frame, MsgOptionsStored, 0, 0);
    return result;
}

int32_t ShowAbout(HWND frame)
{
    AboutDialog dialog(WindowRegistry::window(frame), frame);
    ModalDialogs::run(dialog);
    return 0;
}

} // extern "C"
