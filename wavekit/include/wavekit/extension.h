// The contract between the editor and an extension library, for those who write one.
//
// An extension is a shared library (built with -fPIC, linked against wavekit) that exports,
// with C linkage, the three functions declared below. The editor loads every library named by a
// sub-key of the setting "Kestrix\Extensions" at start-up, in the sorted order of the sub-keys:
//
//   - the sub-key's name is the library's path, percent-encoded where a setting key cannot hold
//     the character ("/" is written "%2F", "%" is written "%25");
//   - a bare name (no "/") is looked for in the user's extension directory
//     ($XDG_DATA_HOME/QuellWerk/Extensions), then beside the editor program;
//   - a name of 500 bytes or more, or a library that does not load, is skipped silently; at most
//     128 extensions are loaded and the user is told which further ones were not.
//
// The editor gives extension n (counted from 0) the command 1001 + n: an item with the record's
// menu text in the Filters menu's "Extensions" popup and, while the user shows them, a button
// with the record's picture on the function bar.
#pragma once

#include "wavekit/wavekit.h"

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/// The 640-byte record an extension fills in GetExtensionInformation. Every byte is zero before
/// the call. Texts are zero-terminated; numbers are little-endian (write them with
/// ExtensionPutWord and ExtensionPutLong, whatever the processor's byte order).
typedef struct ExtensionInfo {
    /// Written by the editor after the call: 1001 + the extension's index.
    uint8_t commandId[2];
    uint8_t extensionWord[2]; ///< the extension's own; not read
    char menuText[65]; ///< the menu item; "&" marks the mnemonic
    char fileName[256]; ///< the library's name; not read
    char author[170]; ///< not read
    /// The status-bar hint while the menu item is highlighted, optionally followed by "\r" and a
    /// short text for the button's tool-tip (without "\r" the whole text serves as both).
    char description[121];
    uint8_t extensionWord2[2]; ///< the extension's own; not read
    uint8_t reserved[2];
    /// Nonzero: Filter runs on an operation thread of its own; 0: on the interface thread.
    uint8_t runOnThread[4];
    uint8_t extensionLong[4]; ///< the extension's own; not read
    /// Nonzero: the menu command shows the dialog and may run Filter; 0: it does nothing.
    uint8_t hasDialog[4];
    /// Written by the editor after the call: its own number of the library (1 and up). Never a
    /// pointer; an extension has no use for it.
    uint8_t libraryNumber[4];
    /// The button's picture: an id from ExtensionPictureFromPng or ExtensionPictureFromFile, 0
    /// for none.
    uint8_t picture[4];
} ExtensionInfo;

#ifdef __cplusplus
#define KX_EXTENSION_ASSERT(condition, text) static_assert(condition, text)
#else
#define KX_EXTENSION_ASSERT(condition, text) _Static_assert(condition, text)
#endif
KX_EXTENSION_ASSERT(sizeof(ExtensionInfo) == 640, "the record is 640 bytes");
KX_EXTENSION_ASSERT(offsetof(ExtensionInfo, extensionWord) == 2, "offset 2");
KX_EXTENSION_ASSERT(offsetof(ExtensionInfo, menuText) == 4, "offset 4");
KX_EXTENSION_ASSERT(offsetof(ExtensionInfo, fileName) == 69, "offset 69");
KX_EXTENSION_ASSERT(offsetof(ExtensionInfo, author) == 325, "offset 325");
KX_EXTENSION_ASSERT(offsetof(ExtensionInfo, description) == 495, "offset 495");
KX_EXTENSION_ASSERT(offsetof(ExtensionInfo, extensionWord2) == 616, "offset 616");
KX_EXTENSION_ASSERT(offsetof(ExtensionInfo, runOnThread) == 620, "offset 620");
KX_EXTENSION_ASSERT(offsetof(ExtensionInfo, extensionLong) == 624, "offset 624");
KX_EXTENSION_ASSERT(offsetof(ExtensionInfo, hasDialog) == 628, "offset 628");
KX_EXTENSION_ASSERT(offsetof(ExtensionInfo, libraryNumber) == 632, "offset 632");
KX_EXTENSION_ASSERT(offsetof(ExtensionInfo, picture) == 636, "offset 636");
#undef KX_EXTENSION_ASSERT

static inline void ExtensionPutWord(uint8_t field[2], uint16_t value)
{
    field[0] = (uint8_t)(value & 0xFF);
    field[1] = (uint8_t)(value >> 8);
}

static inline void ExtensionPutLong(uint8_t field[4], uint32_t value)
{
    field[0] = (uint8_t)(value & 0xFF);
    field[1] = (uint8_t)((value >> 8) & 0xFF);
    field[2] = (uint8_t)((value >> 16) & 0xFF);
    field[3] = (uint8_t)(value >> 24);
}

static inline uint16_t ExtensionGetWord(const uint8_t field[2])
{
    return (uint16_t)(field[0] | (field[1] << 8));
}

static inline uint32_t ExtensionGetLong(const uint8_t field[4])
{
    return (uint32_t)field[0] | ((uint32_t)field[1] << 8) | ((uint32_t)field[2] << 16) | ((uint32_t)field[3] << 24);
}

// Exported by wavekit for extensions.

/// A picture for the extension's button from the bytes of a PNG (or any image Qt reads), at most
/// 256 by 256 pixels. The id, 0 when the bytes are no such picture, stays valid for the life of
/// the process. Any thread.
uint32_t ExtensionPictureFromPng(const void* bytes, size_t size);
/// The same from an image file.
uint32_t ExtensionPictureFromFile(const char* path);

// Exported by every extension, with C linkage.

/// Called once, on the interface thread, right after the library is loaded; fills `info`. The
/// result is not used.
int32_t GetExtensionInformation(ExtensionInfo* info);
/// Called on the interface thread when the user chooses the extension's command (only when the
/// record's hasDialog is nonzero). `frame` is the editor's frame window: the owner of any dialog.
/// Nonzero: go on and run Filter.
int32_t ShowDialogBox(HWND frame);
/// Runs after a nonzero ShowDialogBox when a document is open and idle. On its own thread (the
/// record's runOnThread) it is an operation like the library's: it announces its start with
/// SendMessage(frame, WM_USER + 140, (uintptr_t)wave, 15050) before it works on the document
/// (`wave` from SendMessage(frame, WM_USER + 113, 0, 0)); the editor announces its end when it
/// returns. The result is not used.
int32_t Filter(HWND frame);

typedef int32_t (*GetExtensionInformationFunction)(ExtensionInfo* info);
typedef int32_t (*ShowDialogBoxFunction)(HWND frame);
typedef int32_t (*FilterFunction)(HWND frame);

#ifdef __cplusplus
}
#endif
