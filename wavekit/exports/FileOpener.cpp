// The threaded opener: loads the file named in "Kestrix\NewFile\FileOpen" into a wave window.
#include "FileOpener.h"
#include "ActiveDocument.h"
#include "DocumentSettings.h"
#include "OperationContext.h"
#include "Repaint.h"
#include "StoredFormats.h"
#include "WindowRegistry.h"
#include "WindowRequests.h"
#include "documents/NamedLock.h"
#include "documents/SharedDocument.h"
#include "media/SoundFileOpener.h"
#include "wavekit/wavekit.h"

#include "paneldraw/settings.h"

#include <mutex>

using namespace kx;

namespace {

/// Asks for the format of a file without a header with the raw-file dialog, which shows the
/// file's length from "Kestrix\RawFile\FileLength".
class DialogOpenInteraction : public OpenInteraction {
public:
    explicit DialogOpenInteraction(HWND frame)
        : m_frame(frame)
    {
    }
    std::optional<PcmFormat> askRawFormat(uint64_t fileLength) override
    {
        RegWriteString("Kestrix\\RawFile\\FileLength", std::to_string(fileLength).c_str());
        if (!ShowRaw(m_frame))
            return std::nullopt;
        return formatOf(storedFormat(FormatGroup::RawFile));
    }

private:
    HWND m_frame;
};

OpenSettings openSettings()
{
    OpenSettings settings;
    settings.compressBits = compressBitsFromText(RegGetString("Kestrix\\Settings\\CompressBits", ""));
    settings.zoom = startZoomFromSettings();
    return settings;
}

} // namespace

extern "C" int32_t OpenCompressedWAV(HWND argument)
{
    const std::string path = RegGetString("Kestrix\\NewFile\\FileOpen", "FALSE");
    if (path == "FALSE") {
        const OperationTarget target = operationTarget(argument);
        SendMessage(target.frame, MsgDestroyWindow, reinterpret_cast<uintptr_t>(target.wave),
            reinterpret_cast<intptr_t>(target.wave));
        OperationContext::announceEnd(target.frame);
        return 0;
    }
    return kx::openFileInWindow(argument, path);
}

int32_t kx::openFileInWindow(HWND argument, const std::string& path)
{
    const OperationTarget target = operationTarget(argument);
    const HWND frame = target.frame;
    const HWND wave = target.wave;
    // One file is opened at a time, whoever opens it.
    NamedLock fileOpen("KexFileOpen");
    fileOpen.lock();
    auto shared = WindowRegistry::document(wave);
    SendMessage(frame, MsgOperationStarts, reinterpret_cast<uintptr_t>(wave), 15020);
    if (!shared) {
        fileOpen.unlock();
        OperationContext::announceEnd(frame);
        return 1;
    }
    // A document with a file of its own is being reverted: it stays as it is, unsaved edits and
    // all, until the file has been read.
    bool reverting = false;
    {
        std::unique_lock lock(shared->lock);
        DocumentInfo& info = shared->document.info;
        reverting = info.hasFile;
        if (!reverting)
            info.fileName = path;
        info.working = 1;
    }
    const std::string loading = "Loading " + path + "...";
    SendMessage(wave, MsgSetText, 0, reinterpret_cast<intptr_t>(loading.c_str()));

    // Reports the failure (if it has a text) and removes the half-built window, or gives a
    // reverted document its title back.
    auto fail = [&](const std::string& message) {
        if (!message.empty())
            ErrorBox(frame, message.c_str());
        {
            std::unique_lock lock(shared->lock);
            shared->document.info.working = 0;
        }
        fileOpen.unlock();
        if (reverting)
            SendMessage(wave, MsgSetText, 0, 0);
        else
            SendMessage(wave, MsgClose, 0, 0);
        BreakThread(frame);
    };
    DialogOpenInteraction interaction(frame);
    OpenSettings settings = openSettings();
    settings.stop = OperationContext::stopFlag();
    OpenResult result = openSoundFile(path, settings, interaction);
    // A stopped decode breaks off like a damaged file; nobody waits for its result.
    if (OperationContext::stopRequested())
        fail("");
    if (result.status != OpenStatus::Opened)
        fail(result.message);
    // A read error after which the document keeps what was read.
    if (!result.message.empty())
        ErrorBox(frame, result.message.c_str());
    {
        std::unique_lock lock(shared->lock);
        WaveDocument& document = shared->document;
        document = std::move(result.document);
        document.info.fileName = path;
        document.info.saved = 1;
        document.info.working = 0;
    }
    SendMessage(wave, MsgSetText, 0, reinterpret_cast<intptr_t>(path.c_str()));
    showChangedData(frame, wave);
    fileOpen.unlock();
    OperationContext::announceEnd(frame);
    return 1;
}
