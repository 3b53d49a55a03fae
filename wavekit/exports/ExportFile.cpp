// Save As in a compressed format: the active document encoded with FFmpeg.
#include "ExportFile.h"
#include "ExportSettings.h"
#include "OperationContext.h"
#include "Repaint.h"
#include "WindowRegistry.h"
#include "WindowRequests.h"
#include "documents/SharedDocument.h"
#include "wavekit/wavekit.h"

#include "paneldraw/settings.h"

#include <cstring>
#include <mutex>

using namespace kx;

namespace {

/// `path` with the format's extension unless it ends in it already (any case).
std::string withExtension(const std::string& path, ExportFormat format)
{
    const std::string extension = std::string(".") + exportFormatName(format);
    const bool hasIt = path.size() >= extension.size()
        && exportFormatNamed(std::string_view(path).substr(path.size() - extension.size() + 1)) == format
        && path[path.size() - extension.size()] == '.';
    return hasIt ? path : path + extension;
}

} // namespace

bool kx::exportOnWorker(HWND frame, HWND wave, std::string& path, const std::atomic<bool>* stop)
{
    const std::optional<ExportFormat> format = exportFormatNamed(RegGetString(kSaveFormatSetting, "wav"));
    auto shared = WindowRegistry::document(wave);
    if (!format || !shared)
        return false;
    const std::string name = withExtension(path, *format);
    ExportStatus status;
    {
        // Readers may go on while the file is written; no operation may change the data meanwhile.
        std::shared_lock lock(shared->lock);
        status = exportSound(shared->document, *format, storedExportQuality(*format), name, stop);
    }
    if (status == ExportStatus::Ok) {
        // Others read the name while they hold the lock shared: it changes under the lock alone.
        std::unique_lock lock(shared->lock);
        DocumentInfo& info = shared->document.info;
        info.fileName = name;
        info.saved = 1;
        info.hasFile = true;
        // What is on disk is no longer the document's samples: a plain Save asks first.
        info.sourceKind = SourceMediaFile;
    }
    if (status == ExportStatus::NoEncoder)
        ErrorBox(frame, "This format cannot be written here.");
    else if (status != ExportStatus::Ok && status != ExportStatus::Stopped)
        ErrorBox(frame, "The file could not be written.");
    if (status != ExportStatus::Ok)
        return false;
    path = name;
    PostMessage(wave, MsgSetText, 0, 0);
    repaintDocument(frame, wave);
    return true;
}

extern "C" int32_t ExportSoundFile(HWND frame, char* path, size_t capacity)
{
    HWND wave = reinterpret_cast<HWND>(SendMessage(frame, MsgGetActiveWave, 0, 0));
    auto shared = WindowRegistry::document(wave);
    if (!shared || !path || shared->busy())
        return 0;
    std::string name = path;
    SetMouseWait(nullptr);
    const bool exported = exportOnWorker(frame, wave, name, nullptr);
    SetMouseActive();
    if (exported && name.size() + 1 <= capacity)
        std::memcpy(path, name.c_str(), name.size() + 1);
    return exported ? 1 : 0;
}
