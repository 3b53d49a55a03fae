// The threaded opener: loads the file named in "Kestrix\NewFile\FileOpen" into the active window.
#include "DocumentSettings.h"
#include "OperationContext.h"
#include "WindowRegistry.h"
#include "WindowRequests.h"
#include "documents/NamedLock.h"
#include "documents/NewDocument.h"
#include "documents/SharedDocument.h"
#include "documents/WavReader.h"
#include "wavekit/wavekit.h"

#include "paneldraw/settings.h"

#include <fstream>
#include <mutex>

using namespace kx;

namespace {

/// Loads `path` as the opener does; on failure returns the message to show (empty: none).
bool loadForOpener(const std::string& path, WavFileContents& contents, std::string& message)
{
    WavReadOptions options;
    options.readTexts = false;
    const WavReadStatus status = readWavFile(path, contents, options);
    if (status == WavReadStatus::Ok)
        return true;
    message = status == WavReadStatus::CannotOpen ? "File not found." : wavReadMessage(status);
    return false;
}

} // namespace

extern "C" int32_t OpenCompressedWAV(HWND frame)
{
    HWND wave = reinterpret_cast<HWND>(SendMessage(frame, MsgGetActiveWave, 0, 0));
    const std::string path = RegGetString("Kestrix\\NewFile\\FileOpen", "FALSE");
    if (path == "FALSE") {
        SendMessage(frame, MsgDestroyWindow, reinterpret_cast<uintptr_t>(wave), reinterpret_cast<intptr_t>(wave));
        OperationContext::announceEnd(frame);
        return 0;
    }
    NamedLock fileOpen("KexFileOpen");
    fileOpen.lock();
    auto shared = WindowRegistry::document(wave);
    SendMessage(frame, MsgOperationStarts, reinterpret_cast<uintptr_t>(wave), 15020);
    if (!shared) {
        OperationContext::announceEnd(frame);
        return 1;
    }
    {
        std::unique_lock lock(shared->lock);
        shared->document.info.fileName = path;
        shared->document.info.saved = 1;
        shared->document.info.working = 1;
    }
    const std::string loading = "Loading " + path + "...";
    SendMessage(wave, MsgSetText, 0, reinterpret_cast<intptr_t>(loading.c_str()));

    auto fail = [&](const std::string& message) {
        if (!message.empty())
            ErrorBox(frame, message.c_str());
        shared->document.info.working = 0;
        fileOpen.unlock();
        SendMessage(wave, MsgClose, 0, 0);
        BreakThread(frame);
    };
    if (!std::ifstream(path, std::ios::binary).is_open()) {
        ErrorBox(wave, "File not found. Please check the pathname.");
        fail("");
    }
    WavFileContents contents;
    std::string message;
    if (!loadForOpener(path, contents, message))
        fail(message);
    if (OperationContext::stopRequested())
        fail("");
    {
        std::unique_lock lock(shared->lock);
        WaveDocument& document = shared->document;
        document.header = contents.header;
        document.samples = std::move(contents.samples);
        document.texts = FileTextInfo{};
        document.mark = MarkRecord{};
        document.mark.zoom = startZoomFromSettings();
        document.undo = UndoRecord{};
        document.info.fileName = path;
        document.info.saved = 1;
        document.info.sourceKind = SourcePcmWave;
        document.info.working = 0;
    }
    SendMessage(wave, MsgSetText, 0, reinterpret_cast<intptr_t>(path.c_str()));
    SendMessage(wave, MsgRecomputeScroll, 0, 0);
    PostMessage(wave, MsgInvalidate, 0, 0);
    PostMessage(reinterpret_cast<HWND>(SendMessage(frame, MsgGetPreviewBar, 0, 0)), MsgInvalidate, 0, 0);
    PostMessage(reinterpret_cast<HWND>(SendMessage(frame, MsgGetStatusBar, 0, 0)), MsgInvalidate, 0, 0);
    fileOpen.unlock();
    OperationContext::announceEnd(frame);
    return 1;
}
