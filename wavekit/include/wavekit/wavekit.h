// Exported routines of the sound library, as the editor, the player and extensions call them.
#pragma once

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/// A window of the suite. Opaque: a handle names a window for as long as it lives and names
/// nothing afterwards; it is never reused.
typedef struct HWND__* HWND;

// Private window messages (numbers from WM_USER). A send runs the receiver's handler on the
// receiver's thread and waits for its result; a send to a closed window returns 0. A post returns
// at once. A thread must not hold a document lock while it sends.
#define WM_USER 1024
intptr_t SendMessage(HWND target, uint32_t message, uintptr_t wParam, intptr_t lParam);
int32_t PostMessage(HWND target, uint32_t message, uintptr_t wParam, intptr_t lParam);

/// Ends the calling operation thread early after a failure it has reported: announces the end to
/// the frame and unwinds the operation (its locks and memory are given back on the way).
[[noreturn]] void BreakThread(HWND frame);

// Documents in wave windows.
/// A new empty document "Unnamed -<number>-.WAV" in a new wave window of `client`.
HWND NewFile(HWND frame, HWND client, int32_t number);
/// Reads a WAV file into a new wave window; 1 on success. An empty file gives a new empty
/// document numbered 0 and the result 0; other failures are reported to the user.
int32_t OpenWAV(HWND frame, HWND client, const char* path);
/// Reads a WAV file into an existing wave window, replacing its format and samples.
int32_t ReadWaveIntoWindow(HWND owner, HWND wave, const char* path);
/// Operation thread routine: loads "Kestrix\NewFile\FileOpen" into the frame's active window.
int32_t OpenCompressedWAV(HWND frame);
/// Saves the frame's active document under `path` (a buffer of `capacity` bytes that receives the
/// name written); 1 when the file was written.
int32_t SaveWAV(HWND frame, char* path, size_t capacity);
/// The file dialogs: a path, or "FALSE" when cancelled. Valid until the next call.
const char* OpenBox(HWND owner);
const char* SaveBox(HWND owner);

// Undo: one level per document.
int32_t SaveUndoInformation(HWND wave, uint32_t start, uint32_t length, uint16_t kind, const char* description);
int32_t RestoreUndoInformation(HWND wave);
int32_t IsUndoPossible(HWND wave);
/// The operation's name for the Edit menu, null when there is nothing to undo. Copy it at once.
const char* UndoDescription(HWND wave);
int32_t ForbidUndo(HWND wave);

// Document flags.
int32_t SetFileSaved(HWND wave);
int32_t SetFileNotSaved(HWND wave);
int32_t IsFileSaved(HWND wave);
int32_t SetFileWorking(HWND wave);
int32_t SetFileNotWorking(HWND wave);
/// 1 while the document is being loaded; also 1 for a null or closed window.
int32_t IsFileWorking(HWND wave);

// Message boxes.
/// Caption "Warning...", stop icon, one OK button.
int32_t ErrorBox(HWND owner, const char* text);
/// Reports a fault caught in `function`.
int32_t ExceptionBox(HWND owner, const char* function);

// Busy cursor.
/// Shows the busy cursor and returns a token for the cursor it replaced.
intptr_t SetMouseWait(HWND ignored);
/// Shows the cursor the last SetMouseWait replaced and returns a token for the one it replaces.
intptr_t SetMouseActive(void);

#ifdef __cplusplus
}
#endif
