// The format dialogs of files without a header and of the active document.
#include "ActiveDocument.h"
#include "InterfaceThread.h"
#include "StoredFormats.h"
#include "WindowRegistry.h"
#include "dialogs/HeaderDialog.h"
#include "dialogs/ModalDialogs.h"
#include "dialogs/RawFormatDialog.h"
#include "wavekit/wavekit.h"

#include "paneldraw/settings.h"

using namespace kx;

extern "C" {

int32_t ShowRaw(HWND frame)
{
    int32_t result = 0;
    // The opener asks from its own thread; the dialog lives on the interface thread.
    runOnInterfaceThread([&] {
        const uint64_t fileLength = uint32_t(RegGetDWord("Kestrix\\RawFile\\FileLength", 0));
        RawFormatDialog dialog(storedFormat(FormatGroup::RawFile), fileLength, WindowRegistry::window(frame));
        result = ModalDialogs::run(dialog) == 1 ? 1 : 0;
    });
    return result;
}

int32_t ShowHeader(HWND frame)
{
    const ActiveDocument active = activeDocument(frame);
    if (!active.shared)
        return 0;
    // The editor calls this with the busy cursor up; a dialog wants the normal one.
    SetMouseActive();
    HeaderDialog dialog(frame, active.wave, active.header(), WindowRegistry::window(frame));
    return ModalDialogs::run(dialog) == 1 ? 1 : 0;
}

} // extern "C"
