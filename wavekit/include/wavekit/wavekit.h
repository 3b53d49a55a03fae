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
