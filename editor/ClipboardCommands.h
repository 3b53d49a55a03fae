#pragma once

#include "wavekit/wavekit.h"

namespace kx {

/// Commands of the clipboard menu of the roll-down panel.
enum ClipboardCommand : int {
    CmdDeleteClipboard = 307,
    CmdExportClipboard = 308,
    CmdImportClipboard = 309,
    CmdClipboardInfo = 310,
};

/// The frame's clipboard commands that run on the interface thread (direct command actions):
/// each returns nonzero when it changed the document.

int32_t eraseMarked(HWND frame, HWND wave);
int32_t cropMarked(HWND frame, HWND wave);
/// Asks "Are you sure?" and deletes the clipboard file.
int32_t deleteClipboard(HWND frame, HWND wave);
int32_t exportClipboard(HWND frame, HWND wave);
int32_t importClipboard(HWND frame, HWND wave);
int32_t showClipboardInfo(HWND frame, HWND wave);

} // namespace kx
