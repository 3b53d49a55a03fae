// The sound clipboard as the editor reaches it through window handles: copy, paste and mix as
// operation threads, the cuts of a document, the exchange with files and the properties dialog.
#include "ClipboardCut.h"
#include "ClipboardHeaderDialog.h"
#include "MessageBoxes.h"
#include "OperationCodes.h"
#include "OperationContext.h"
#include "Repaint.h"
#include "WindowRegistry.h"
#include "WindowRequests.h"
#include "clipboard/ClipboardCopy.h"
#include "clipboard/ClipboardLocation.h"
#include "clipboard/ClipboardPaste.h"
#include "clipboard/ClipboardReader.h"
#include "clipboard/DocumentCuts.h"
#include "clipboard/FileCopy.h"
#include "documents/NamedLock.h"
#include "documents/PcmFormat.h"
#include "documents/SharedDocument.h"
#include "filters/SampleScaling.h"
#include "media/ConvertedClipboard.h"
#include "wavekit/wavekit.h"

#include "paneldraw/settings.h"

#include <QWidget>

#include <chrono>
#include <mutex>
#include <thread>

using namespace kx;

namespace {

HWND frameOf(HWND wave)
{
    return reinterpret_cast<HWND>(SendMessage(wave, MsgGetFrame, 0, 0));
}

/// The clipboard lock as an operation thread holds it: around the work on the clipboard file
/// only. No message goes out while it is held, as the interface thread may be waiting for it.
class ClipboardHold {
public:
    ClipboardHold() { m_lock.lock(); }
    ~ClipboardHold() { m_lock.unlock(); }
    ClipboardHold(const ClipboardHold&) = delete;
    ClipboardHold& operator=(const ClipboardHold&) = delete;

private:
    NamedLock m_lock { ClipboardLocation::kLockName };
};

/// Asks the window for the frame and announces the operation there; ends the thread when the
/// window holds no document any more or the operation is to stop.
std::pair<HWND, std::shared_ptr<SharedDocument>> announce(HWND wave, uint32_t operationCode)
{
    const HWND frame = frameOf(wave);
    SendMessage(frame, MsgOperationStarts, reinterpret_cast<uintptr_t>(wave), operationCode);
    auto shared = WindowRegistry::document(wave);
    if (!shared || OperationContext::stopRequested())
        BreakThread(frame);
    return { frame, std::move(shared) };
}

/// A copy that has just given the lock back may still be closing its file.
void waitForClosingCopy()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

enum class Incoming { Paste, Mix };

/// What came of building the document's new samples, and what to tell the user.
struct Built {
    IncomingSamples samples;
    EditStatus status = EditStatus::NothingToDo;
    bool converted = false;
    const char* readFailure = ""; ///< the clipboard file cannot be read: shown without an owner
    const char* conversionFailure = ""; ///< shown over the wave window
};

/// Reads the clipboard (converted to the document's format unless that is empty) under the
/// clipboard lock and builds the document's new samples beside it: the document is not locked,
/// as nobody but this operation changes its samples while it runs and the build only reads them.
void build(
    const SharedDocument& shared, const WaveHeader& format, uint32_t cursor, Incoming how, float gain, Built& built)
{
    ClipboardHold hold;
    waitForClosingCopy();
    ClipboardReader reader;
    reader.setStop(OperationContext::stopFlag());
    if (const WavReadStatus status = reader.open(ClipboardLocation::filePath()); status != WavReadStatus::Ok) {
        built.readFailure = clipboardReadMessage(status);
        return;
    }
    if (format.dataSize == 0) {
        built.status = buildTake(reader, built.samples);
        return;
    }
    ClipboardSource* source = &reader;
    ConvertedClipboard converted;
    if (PcmFormat::of(reader.header()) != PcmFormat::of(format)) {
        const ConvertStatus status = converted.load(reader, format);
        if (status != ConvertStatus::Converted) {
            built.conversionFailure = convertMessage(status);
            return;
        }
        built.converted = true;
        source = &converted;
    }
    const WaveDocument& document = shared.document;
    built.status = how == Incoming::Paste ? buildPaste(document, cursor, *source, built.samples)
                                          : buildMix(document, cursor, *source, gain, built.samples);
}

/// Paste and mix: build the new samples with the document unlocked, then swap them in under its
/// lock in one short step. Every message is sent with no lock held.
int32_t bringIn(HWND wave, Incoming how, uint32_t operationCode)
{
    const float gain = percentFactor(RegGetWord(kPasteMixLouder.path, kPasteMixLouder.defaultValue));
    const auto [frame, shared] = announce(wave, operationCode);

    WaveHeader format;
    uint32_t cursor = 0;
    {
        std::shared_lock lock(shared->lock);
        format = shared->document.header;
        cursor = shared->document.mark.markStart;
    }
    Built built;
    build(*shared, format, cursor, how, gain, built);
    if (OperationContext::stopRequested())
        BreakThread(frame);
    if (built.converted)
        repaintBar(frame, MsgGetRollDown);
    // An unreadable or empty clipboard changes nothing and ends the operation normally.
    if (*built.readFailure)
        ErrorBox(nullptr, built.readFailure);
    if (*built.conversionFailure)
        ErrorBox(wave, built.conversionFailure);
    if (*editMessage(built.status)) {
        ErrorBox(wave, editMessage(built.status));
        BreakThread(frame);
    }
    if (built.status == EditStatus::Done) {
        std::unique_lock lock(shared->lock);
        WaveDocument& document = shared->document;
        if (format.dataSize == 0)
            commitTake(document, built.samples);
        else if (how == Incoming::Paste)
            commitPaste(document, built.samples);
        else
            commitMix(document, built.samples);
    }
    showChangedData(frame, wave);
    OperationContext::announceEnd(frame);
    return 1;
}

/// Writes the marked range to the clipboard file (all data when nothing is marked, unless
/// `onlyMark`), holding the clipboard lock and the document's shared lock for the write only.
CopyResult copyMarked(SharedDocument& shared, bool onlyMark, MarkRecord& copied)
{
    ClipboardHold hold;
    std::shared_lock lock(shared.lock);
    copied = shared.document.mark;
    if (onlyMark && copied.markLength == 0)
        return { CopyStatus::NothingToCopy };
    return copyToClipboard(shared.document, ClipboardLocation::filePath());
}

enum class Outgoing { Copy, Cut };

/// Copy and cut: the mark goes to the clipboard (a copy with nothing marked takes everything, a
/// cut nothing); a cut then deletes what it copied, one step for undo.
int32_t takeOut(HWND wave, Outgoing how)
{
    const auto [frame, shared] = announce(wave, OpCopy);
    MarkRecord copied;
    const CopyResult result = copyMarked(*shared, how == Outgoing::Cut, copied);
    if (result.status != CopyStatus::Copied) {
        if (const std::string text = copyMessage(result); !text.empty())
            ErrorBox(frame, text.c_str());
        BreakThread(frame);
    }
    if (how == Outgoing::Cut) {
        {
            // What was copied goes, even if the user moved the mark meanwhile.
            std::unique_lock lock(shared->lock);
            shared->document.mark.markStart = copied.markStart;
            shared->document.mark.markLength = copied.markLength;
            eraseMark(shared->document);
        }
        showChangedData(frame, wave);
    }
    repaintBar(frame, MsgGetRollDown);
    OperationContext::announceEnd(frame);
    return 1;
}

/// 1 for a done copy; otherwise 0 after showing the text for the side that failed.
int32_t reportFileCopy(HWND owner, FileCopyStatus status, const char* cannotRead, const char* cannotWrite)
{
    if (status == FileCopyStatus::Copied)
        return 1;
    ErrorBox(owner, status == FileCopyStatus::CannotRead ? cannotRead : cannotWrite);
    return 0;
}

} // namespace

namespace kx {

int32_t cutToClipboard(HWND wave)
{
    return takeOut(wave, Outgoing::Cut);
}

} // namespace kx

extern "C" {

int32_t CopyToClipboard(HWND wave)
{
    return takeOut(wave, Outgoing::Copy);
}

int32_t PasteFromClipboard(HWND wave)
{
    return bringIn(wave, Incoming::Paste, OpPaste);
}

int32_t PasteMixFromClipboard(HWND wave)
{
    return bringIn(wave, Incoming::Mix, OpMix);
}

void Erase(HWND wave)
{
    if (const auto shared = WindowRegistry::document(wave)) {
        std::unique_lock lock(shared->lock);
        eraseMark(shared->document);
    }
}

void Crop(HWND wave)
{
    if (const auto shared = WindowRegistry::document(wave)) {
        std::unique_lock lock(shared->lock);
        cropToMark(shared->document);
    }
}

int32_t CopyAndPaste(HWND wave, uint32_t target)
{
    const auto shared = WindowRegistry::document(wave);
    if (!shared)
        return 0;
    EditStatus status;
    {
        std::unique_lock lock(shared->lock);
        status = copyMarkTo(shared->document, target);
    }
    if (status == EditStatus::Refused)
        return 0;
    if (status == EditStatus::OutOfMemory) {
        ErrorBox(wave, editMessage(status));
        return 0;
    }
    showChangedData(frameOf(wave), wave);
    return 1;
}

int32_t FileToClipboard(HWND owner, const char* path)
{
    const FileCopyStatus status
        = path ? copyFileReplacing(path, ClipboardLocation::filePath(), 0600) : FileCopyStatus::CannotRead;
    return reportFileCopy(owner, status, "File not found or something else.", "Cannot write data.");
}

int32_t ClipboardToFile(HWND owner, const char* path)
{
    const FileCopyStatus status
        = path ? copyFileReplacing(ClipboardLocation::filePath(), path) : FileCopyStatus::CannotWrite;
    return reportFileCopy(owner, status, "No Clipboard File", "Cannot write. May be read-only.");
}

int32_t ShowClipboardHeader(HWND frame)
{
    const std::string path = ClipboardLocation::filePath();
    ClipboardReader reader;
    const WavReadStatus status = reader.open(path);
    if (status != WavReadStatus::Ok) {
        ErrorBox(frame, status == WavReadStatus::CannotOpen ? "No Clipboard File" : clipboardReadMessage(status));
        return 0;
    }
    QWidget* parent = WindowRegistry::window(frame);
    ClipboardHeaderDialog dialog(reader.header(), path, parent);
    dialog.adjustSize();
    if (parent) {
        // Over the middle of the parent, a little above the centre.
        const QPoint centre = parent->mapToGlobal(parent->rect().center()) - QPoint(0, 30);
        dialog.move(centre - dialog.rect().center());
    }
    return dialog.exec();
}

} // extern "C"
