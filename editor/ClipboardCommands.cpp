#include "ClipboardCommands.h"

#include "clipboard/ClipboardLocation.h"
#include "exports/MessageBoxes.h"
#include "exports/WindowRegistry.h"
#include "exports/WindowRequests.h"

#include <cstdio>
#include <string>

namespace kx {

namespace {

    void repaintRollDown(HWND frame)
    {
        PostMessage(reinterpret_cast<HWND>(SendMessage(frame, MsgGetRollDown, 0, 0)), MsgInvalidate, 0, 0);
    }

} // namespace

int32_t eraseMarked(HWND, HWND wave)
{
    Erase(wave);
    return 1;
}

int32_t cropMarked(HWND, HWND wave)
{
    Crop(wave);
    return 1;
}

int32_t deleteClipboard(HWND frame, HWND)
{
    if (MessageBoxes::show({ WindowRegistry::window(frame), QStringLiteral("Delete Clipboard"),
            QStringLiteral("Are you sure?"), QMessageBox::Question, QMessageBox::Yes | QMessageBox::No })
        == QMessageBox::Yes) {
        std::remove(ClipboardLocation::filePath().c_str());
        repaintRollDown(frame);
    }
    return 0;
}

int32_t exportClipboard(HWND frame, HWND)
{
    const std::string path = SaveBox(frame);
    if (path != "FALSE")
        ClipboardToFile(frame, path.c_str());
    return 0;
}

int32_t importClipboard(HWND frame, HWND)
{
    const std::string path = OpenBox(frame);
    if (path != "FALSE") {
        FileToClipboard(frame, path.c_str());
        repaintRollDown(frame);
    }
    return 0;
}

int32_t showClipboardInfo(HWND frame, HWND)
{
    ShowClipboardHeader(frame);
    return 0;
}

} // namespace kx
