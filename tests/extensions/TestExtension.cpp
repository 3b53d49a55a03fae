// A small extension for the host's tests. One source, built as several libraries:
//   KX_TEST_MENU_TEXT, KX_TEST_DESCRIPTION  its texts
//   KX_TEST_NO_INFO                         without GetExtensionInformation
//   KX_TEST_NO_DIALOG                       without ShowDialogBox and Filter
//   KX_TEST_HAS_DIALOG                      the has-dialog word it writes (default 1)
#include "TestExtensionState.h"
#include "wavekit/extension.h"

#include <cstring>
#include <pthread.h>
#include <thread>

namespace {
TestExtensionState g_state;
const bool g_stateSet = (g_state.hasDialog = KX_TEST_HAS_DIALOG, true);
/// A 17 x 17 PNG of one colour.
constexpr unsigned char kPicture[] = { 0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49,
    0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x11, 0x00, 0x00, 0x00, 0x11, 0x08, 0x02, 0x00, 0x00, 0x00, 0xb4, 0x0f, 0xd0,
    0xad, 0x00, 0x00, 0x00, 0x17, 0x49, 0x44, 0x41, 0x54, 0x78, 0xda, 0x63, 0x50, 0x48, 0x38, 0x40, 0x2a, 0x62, 0x18,
    0xd5, 0x33, 0xaa, 0x67, 0x54, 0x0f, 0xd9, 0x7a, 0x00, 0x2b, 0xd5, 0x69, 0x50, 0x33, 0x68, 0x66, 0x1b, 0x00, 0x00,
    0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82 };
} // namespace

extern "C" {

__attribute__((visibility("default"))) TestExtensionState* TestExtensionStateOf(void)
{
    return &g_state;
}

#ifndef KX_TEST_NO_INFO
__attribute__((visibility("default"))) int32_t GetExtensionInformation(ExtensionInfo* info)
{
    // What the host owns is overwritten after the call, whatever is written here.
    ExtensionPutWord(info->commandId, 7);
    ExtensionPutLong(info->libraryNumber, 0xDEADBEEF);
    std::strcpy(info->menuText, KX_TEST_MENU_TEXT);
    std::strcpy(info->description, KX_TEST_DESCRIPTION);
    ExtensionPutLong(info->hasDialog, uint32_t(g_state.hasDialog));
    ExtensionPutLong(info->runOnThread, uint32_t(g_state.runOnThread));
    ExtensionPutLong(info->picture, ExtensionPictureFromPng(kPicture, sizeof kPicture));
    return 1;
}
#endif

#ifndef KX_TEST_NO_DIALOG
__attribute__((visibility("default"))) int32_t ShowDialogBox(HWND)
{
    ++g_state.dialogs;
    return g_state.dialogAnswer;
}

__attribute__((visibility("default"))) int32_t Filter(HWND frame)
{
    g_state.filterThread = static_cast<unsigned long>(pthread_self());
    if (g_state.runOnThread) {
        const HWND wave = reinterpret_cast<HWND>(SendMessage(frame, WM_USER + 113, 0, 0));
        SendMessage(frame, WM_USER + 140, reinterpret_cast<uintptr_t>(wave), 15050);
    }
    ++g_state.filters;
    while (g_state.holdFilter)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return 1;
}
#endif

} // extern "C"
