// The program's own dialogs: the options and the about box.
#include "WindowRegistry.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/ModalDialogs.h"
#include "dialogs/NewFilesDialog.h"
#include "wavekit/wavekit.h"

using namespace kx;

extern "C" {

int32_t ShowOptionsPropertySheet(HWND frame)
{
    // The "New Files" page is the one page the options offer so far.
    NewFilesDialog dialog(WindowRegistry::window(frame));
    return ModalDialogs::run(dialog);
}

int32_t ShowAbout(HWND frame)
{
    AboutDialog dialog(WindowRegistry::window(frame), frame);
    ModalDialogs::run(dialog);
    return 0;
}

} // extern "C"
