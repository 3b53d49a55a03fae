// The sound clipboard as the editor reaches it through window handles: copy, paste and mix as
// operation threads, the cuts of a document, the exchange with files and the properties dialog.
#include "Repaint.h"
#include "ClipboardHeaderDialog.h"
#include "MessageBoxes.h"
#include "OperationContext.h"
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

/// The clipboard lock as an operation thread holds it: taken at once, waiting as long as it
/// takes, and given back on every way out.
class ClipboardHold {
public:
    ClipboardHold() { m_lock.lock(); }
    void release() { m_lock.unlock(); }

    /// Shows the window as it is now, gives the lock back and ends the operation normally.
    int32_t finish(HWND frame, HWND wave)
    {
        showChangedData(frame, wave);
        release();
        OperationContext::announceEnd(frame);
        return 1;
    }

    /// Gives the lock back, then ends the thread early.
    [[noreturn]] void breakThread(HWND frame)
    {
        release();
        BreakThread(frame);
    }

private:
    NamedLock m_lock { ClipboardLocation::kLockName };
};

/// A copy that has just given the lock back may still be closing its file.
void waitForClosingCopy()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

enum class Incoming { Paste, Mix };

/// Paste and mix: read the clipboard (converting it to the document's format), then change the
/// document under its lock. Every message is shown with no lock of the document held.
int32_t bringIn(HWND wave, Incoming how, uint32_t operationCode)
{
    ClipboardHold hold;
    waitForClosingCopy();
    const float gain = percentFactor(RegGetWord(kPasteMixLouder.path, kPasteMixLouder.defaultValue));
    const HWND frame = frameOf(wave);
    SendMessage(frame, MsgOperationStarts, reinterpret_cast<uintptr_t>(wave), operationCode);
    const auto shared = WindowRegistry::document(wave);
    if (!shared || OperationContext::stopRequested())
        hold.breakThread(frame);

    WaveHeader document;
    {
        std::shared_lock lock(shared->lock);
        document = shared->document.header;
    }
    ClipboardReader reader;
    if (const WavReadStatus status = reader.open(ClipboardLocation::filePath()); status != WavReadStatus::Ok) {
        // An unreadable clipboard changes nothing and ends the operation normally.
        if (*clipboardReadMessage(status))
            ErrorBox(nullptr, clipboardReadMessage(status));
        return hold.finish(frame, wave);
    }
    const bool empty = document.dataSize == 0;
    ClipboardSource* source = &reader;
    ConvertedClipboard converted;
    if (!empty && PcmFormat::of(reader.header()) != PcmFormat::of(document)) {
        const ConvertStatus status = converted.load(reader, document);
        if (status != ConvertStatus::Converted) {
            if (*convertMessage(status))
                ErrorBox(wave, convertMessage(status));
            return hold.finish(frame, wave);
        }
        source = &converted;
        repaintBar(frame, MsgGetRollDown);
    }
    if (OperationContext::stopRequested())
        hold.breakThread(frame);

    EditStatus status;
    {
        std::unique_lock lock(shared->lock);
        WaveDocument& target = shared->document;
        if (target.header.dataSize == 0)
            status = takeClipboard(target, *source);
        else if (how == Incoming::Paste)
            status = pasteClipboard(target, *source);
        else
            status = mixClipboard(target, *source, gain);
    }
    if (*editMessage(status)) {
        ErrorBox(wave, editMessage(status));
        hold.breakThread(frame);
    }
    return hold.finish(frame, wave);
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

extern "C" {

int32_t CopyToClipboard(HWND wave)
{
    ClipboardHold hold;
    const HWND frame = frameOf(wave);
    SendMessage(frame, MsgOperationStarts, reinterpret_cast<uintptr_t>(wave), 15010);
    const auto shared = WindowRegistry::document(wave);
    if (!shared || OperationContext::stopRequested())
        hold.breakThread(frame);
    CopyResult result;
    {
        std::shared_lock lock(shared->lock);
        result = copyToClipboard(shared->document, ClipboardLocation::filePath());
    }
    if (result.status == CopyStatus::NothingToCopy)
        hold.breakThread(frame);
    if (result.status != CopyStatus::Copied) {
        ErrorBox(frame, copyMessage(result).c_str());
        hold.breakThread(frame);
    }
    repaintBar(frame, MsgGetRollDown);
    hold.release();
    OperationContext::announceEnd(frame);
    return 1;
}

int32_t PasteFromClipboard(HWND wave)
{
    return bringIn(wave, Incoming::Paste, 15011);
}

int32_t PasteMixFromClipboard(HWND wave)
{
    return bringIn(wave, Incoming::Mix, 15012);
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
