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
/// Puts the left and the right channel of the stereo document of `wave` into two new mono
/// documents in wave windows of `client`; 1, or 0 after the reason was shown to the user.
int32_t SeparateChannels(HWND frame, HWND client, HWND wave);
/// Reads a WAV file into an existing wave window, replacing its format and samples.
int32_t ReadWaveIntoWindow(HWND owner, HWND wave, const char* path);
/// Operation thread routine: loads "Kestrix\NewFile\FileOpen" into the wave window it is given
/// (or, given the frame, into the frame's active window).
int32_t OpenCompressedWAV(HWND frame);
/// Saves the frame's active document under `path` (a buffer of `capacity` bytes that receives the
/// name written); 1 when the file was written.
int32_t SaveWAV(HWND frame, char* path, size_t capacity);
/// Saves the frame's active document in the export format last chosen in SaveAsBox, with its
/// quality, under `path` with the format's extension (the buffer receives the name written);
/// 1 when the file was written. The document then carries that name and counts as saved.
int32_t ExportSoundFile(HWND frame, char* path, size_t capacity);
/// The file dialogs: a path, or "FALSE" when cancelled. Valid until the next call.
const char* OpenBox(HWND owner);
const char* SaveBox(HWND owner);
/// SaveBox that also offers FLAC, Ogg Vorbis, Opus and MP3 with their quality; the choice goes to
/// "Kestrix\Directories\WaveSaveFormat" ("wav" or the format's name) and the quality setting.
const char* SaveAsBox(HWND owner);

// Undo: a history per document. These five act on its newest step; recording a step drops
// what could be redone, ForbidUndo the whole history.
int32_t SaveUndoInformation(HWND wave, uint32_t start, uint32_t length, uint16_t kind, const char* description);
/// 0 also while an operation runs on the document.
int32_t RestoreUndoInformation(HWND wave);
int32_t IsUndoPossible(HWND wave);
/// The operation's name for the Edit menu, null when there is nothing to undo. Copy it at once.
const char* UndoDescription(HWND wave);
int32_t ForbidUndo(HWND wave);
/// Does the last undone step again; 0 when there is none, or while an operation runs.
int32_t RestoreRedoInformation(HWND wave);
int32_t IsRedoPossible(HWND wave);
/// The name of the step Redo would do, null when there is none. Copy it at once.
const char* RedoDescription(HWND wave);

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

// Playback: one document (its mark, or all its data) on one output device.
/// An open output device. Opaque: a number handed out once, naming nothing after CloseOutput.
typedef struct HWAVEOUT__* HWAVEOUT;
/// The playback queued on an output by PlayWAV. Opaque, like HWAVEOUT.
typedef struct HWAVEPLAY__* HWAVEPLAY;
/// Posted to the played wave window when a playback reaches its end; wParam the HWAVEOUT, lParam
/// the HWAVEPLAY. Never sent for a playback ended by CloseOutput.
#define MM_WOM_DONE 0x3BD
/// The device id that lets the backend choose (the default device).
#define WAVE_MAPPER 0xFFFFFFFFu
/// An output for device `deviceId` in the format of `wave`'s document; null (after a
/// "Warning..." box) when it cannot be had.
HWAVEOUT OpenOutput(uint32_t deviceId, HWND wave);
/// Plays the mark of `wave`, or all its data, on `output`; with `loop` nonzero until closed. Null
/// (after a "Warning..." box with the device's own text) when the device refuses.
HWAVEPLAY PlayWAV(HWAVEOUT output, HWND wave, int32_t loop);
/// Stops the playback and releases the device; 1.
int32_t CloseOutput(HWAVEOUT output, HWAVEPLAY play);
/// Holds the playback (the device plays silence) and lets it go on again.
int32_t PauseOutput(HWAVEOUT output);
int32_t RestartOutput(HWAVEOUT output);
/// Bytes played since PlayWAV, counted from the start of the played range; 0 for no playback.
uint32_t GetOutputPosition(HWAVEOUT output);
/// The vertical offset in pixels from the centre line at which the wave views draw one sample value.
int32_t PixelCalculate(uint32_t sample, uint32_t bitsPerSample, int32_t height);

// Devices.
/// The sheet "Device Driver" with the capabilities of one output and one input device; 1 for OK.
int32_t ShowDevCaps(HWND owner, uint32_t outputDevice, uint32_t inputDevice);
/// The output device chooser. `deviceId` holds the current id and receives the chosen one; OK also
/// stores it as the output and input device setting. 1 for OK, 0 for Cancel or no device at all.
int32_t ShowSelectWaveOut(HWND owner, int32_t* deviceId);

// Recording and the Bulkwave loader.
/// Records into the frame's active document in its own format: the setup dialog with the level
/// meter, the overwrite question, the recording dialog, then the load of the recording (the
/// document keeps its sound until then) or its hand-over to the Bulkwave loader. Always 1.
int32_t ShowRecord(HWND frame);
/// Records into the frame's active document straight from the CD of the setting
/// "Kestrix\Settings\CD\Device", from `minutes`:`seconds` into `track` on, converted to the
/// document's format; a sector that cannot be read ends the recording with a message.
int32_t ShowRecordCD(HWND frame, int32_t track, int32_t minutes, int32_t seconds);
/// The Bulkwave loader (there is one at a time), made hidden if there was none; the frame shows
/// and hides it.
HWND ShowBulkwave(HWND frame);
/// For a WAV file too large for a document (or in a 64-bit layout): asks whether to open it in the
/// Bulkwave loader instead, and does so on Yes. 1 when it asked, 0 when the file is left to the
/// editor's own opener.
int32_t OfferBulkwave(HWND frame, const char* path);

// Sound filters. Each thread routine takes the wave window to work on (or the frame window, whose
// active wave window it then works on), works on the mark, or the whole file when nothing is
// marked, reads its parameters from the settings store and returns the thread's exit code (1, or
// 0 when it was stopped or failed).
int32_t ChangeVolume(HWND frame);
/// "Peak Volume": scales the range so that its loudest sample reaches full scale.
int32_t SetMaxVolume(HWND frame);
int32_t FadeIn(HWND frame);
int32_t FadeOut(HWND frame);
int32_t FadeChannelsLeftToRight(HWND frame);
int32_t FadeChannelsRightToLeft(HWND frame);
/// Silence over the mark; nothing changes when nothing is marked.
int32_t SetSilence(HWND frame);
/// Inserts "Silence\Sec" seconds and "Silence\MS" milliseconds of silence at the cursor.
int32_t InsertSilence(HWND frame);
/// Noise gate: samples closer to silence than "Zeroize\Percent" tenths of a percent become silence.
int32_t Zeroize(HWND frame);
int32_t Reverse(HWND frame);
/// Changes the playing speed of the whole file (its length changes; undo is no longer possible).
int32_t Velocity(HWND frame);
/// "Soften": a moving average over the range.
int32_t LowPass(HWND frame);
/// The curve last accepted in the Drawtone dialogs, applied to the mark or the whole file as the
/// dialog chose, with a progress box over the frame. Ranges of 300 bytes or fewer, and for the
/// channel curve a file that is not stereo, stay unchanged.
int32_t DrawtoneVolume(HWND frame);
int32_t DrawtoneFadeChannels(HWND frame);
/// One sample times `factor`, truncated toward zero and clipped; `bits` 8 reads the low byte as an
/// unsigned 8-bit sample.
int16_t ChangeSampleVolume(int16_t sample, int32_t bits, float factor);
/// 1 when `offset` lies on the first sample of a frame (the left one, or the only one).
int32_t IsLeftChannel(HWND wave, uint32_t offset);
int32_t IsRightChannel(HWND wave, uint32_t offset);

// "Working..." boxes, modeless, placed over `owner`. They close on MsgClose (0x0010) or on the
// commands 1 and 2 (0x0111); the progress box sets its range on WM_USER + 1 (wParam low, lParam
// high) and its position on WM_USER + 2 (wParam). Any thread may ask for one.
HWND ShowWait(HWND owner);
HWND ShowPercentage(HWND owner);

// Parameter dialogs: modal, on the interface thread. OK writes the settings and returns 1, Cancel
// returns 0.
int32_t ShowVolume(HWND frame);
int32_t ShowFadeIn(HWND frame);
int32_t ShowFadeOut(HWND frame);
/// "Soften".
int32_t ShowLowPass(HWND frame);
int32_t ShowVelocity(HWND frame);
/// "Insert Silence".
int32_t ShowSilence(HWND frame);
/// "Drawtone - Change Volume" and "Drawtone - Fade Channels": the curve for DrawtoneVolume and
/// DrawtoneFadeChannels.
int32_t ShowDTVolume(HWND frame);
int32_t ShowDTFadeChannels(HWND frame);
/// "Zoom": the active document's zoom (sample values per pixel, 1..30000), stored on OK; 0 with no
/// active document.
int32_t ShowZoomBy(HWND frame);

// The program's options and its about box: modal, on the interface thread.
/// "Kestrix2000 Options" at its first page; the result of its OK (1) or Cancel (0).
int32_t ShowOptionsPropertySheet(HWND frame);
/// The same at the page with the zero-based index `page`: 0 "New Files", 1 "Startup", 2 "General",
/// 3 "CD Player", 4 "Threads".
int32_t ShowOptionsPropertySheetNum(HWND frame, int32_t page);
/// "About Kestrix2000"; 0.
int32_t ShowAbout(HWND frame);

// Help.
/// Shows the help page `topic` (a file name such as "volume.htm") in the help window of the
/// frame that `window` belongs to, while "Kestrix\Settings\Boolean\HelpWinActive" is set; 1
/// when shown, 0 otherwise (setting off, help window hidden, no such page).
intptr_t ShowHelpTopic(HWND window, const char* topic);
/// Shows the help line of menu item `id` in the status window: its string-table entry up to the
/// first carriage return, "Activate this window" for the window list (800 to 898), or
/// "<id> - not yet implemented -". The status window answers the string-table lookup.
int32_t ShowMenuText(HWND statusWindow, uint32_t id);

// The sound clipboard: the file "KexCLIP.WAV" in the user's private directory.
/// Operation thread routines taking the wave window: copy the mark (or everything) to the
/// clipboard, insert the clipboard at the cursor, mix it into the document from the cursor on.
int32_t CopyToClipboard(HWND wave);
int32_t PasteFromClipboard(HWND wave);
int32_t PasteMixFromClipboard(HWND wave);
/// Deletes the marked range (undoable); a null window does nothing.
void Erase(HWND wave);
/// Keeps only the marked range; a null window does nothing.
void Crop(HWND wave);
/// Inserts a copy of the marked range at byte `target`; 0 when refused or failed.
int32_t CopyAndPaste(HWND wave, uint32_t target);
/// Copies a file to the clipboard, or the clipboard to a file, replacing it; 1, or 0 after the
/// failure was shown to `owner`.
int32_t FileToClipboard(HWND owner, const char* path);
int32_t ClipboardToFile(HWND owner, const char* path);
/// The modal "Harddisk Clipboard Properties" dialog; its result.
int32_t ShowClipboardHeader(HWND frame);

// New, raw and converted files.
/// A sound format as the conversions take it (PCM: tag 1, no extra bytes).
typedef struct WAVEFORMATEX {
    uint16_t wFormatTag;
    uint16_t nChannels;
    uint32_t nSamplesPerSec;
    uint32_t nAvgBytesPerSec;
    uint16_t nBlockAlign;
    uint16_t wBitsPerSample;
    uint16_t cbSize;
} WAVEFORMATEX;
/// "RAW File Format Parameter Specification": the format files without a header are read in,
/// showing the length in "Kestrix\RawFile\FileLength". OK writes the raw-file settings and
/// returns 1, Cancel 0. Any thread may ask; the dialog runs on the interface thread.
int32_t ShowRaw(HWND frame);
/// "Settings" of the frame's active document; 1 when its format was changed or it was converted.
int32_t ShowHeader(HWND frame);
/// Converts the active document to a PCM format the user chooses; 1 when it was converted.
int32_t ConvertFile(HWND frame);
/// Converts the active document to the PCM format `target`; 1 when it was converted.
int32_t ConvertFileParam(HWND frame, const WAVEFORMATEX* target);

#ifdef __cplusplus
}
#endif
