// Conversion of the active document to another PCM format.
#include "Repaint.h"
#include "ActiveDocument.h"
#include "OperationContext.h"
#include "WaveFormats.h"
#include "WindowRegistry.h"
#include "WindowRequests.h"
#include "dialogs/ConvertChooser.h"
#include "dialogs/ModalDialogs.h"
#include "documents/SharedDocument.h"
#include "media/ConvertDocument.h"
#include "wavekit/wavekit.h"

#include <QCoreApplication>

#include <functional>
#include <mutex>

namespace kx {

namespace {

    using TargetChoice = std::function<std::optional<PcmFormat>(const PcmFormat& source)>;

    /// Converts the frame's active document to the format `choose` gives for its own; 1 when it
    /// was converted. On every failure the document stays as it was.
    int32_t convertActiveDocument(HWND frame, const TargetChoice& choose)
    {
        const ActiveDocument active = activeDocument(frame);
        if (!active.shared)
            return 0;
        const WaveHeader header = active.header();
        if (header.dataSize == 0)
            return 0;
        const PcmFormat source = PcmFormat::of(header);
        const std::optional<PcmFormat> target = choose(source);
        if (!target)
            return 0;

        SetMouseWait(nullptr);
        HWND waitBox = ShowWait(frame);
        // Let the box appear before the interface thread is busy converting.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        ConvertStatus status;
        {
            std::unique_lock lock(active.shared->lock);
            status = convertDocument(active.shared->document, *target);
        }
        SendMessage(waitBox, MsgClose, 0, 0);
        SetMouseActive();
        if (status == ConvertStatus::CannotConvert)
            ErrorBox(frame, convertMessage(status));
        if (status != ConvertStatus::Converted)
            return 0;

        showChangedData(frame, active.wave);
        return 1;
    }

} // namespace

} // namespace kx

using namespace kx;

extern "C" {

int32_t ConvertFile(HWND frame)
{
    return convertActiveDocument(frame, [frame](const PcmFormat& source) -> std::optional<PcmFormat> {
        // The editor calls this with the busy cursor up; the chooser wants the normal one.
        SetMouseActive();
        ConvertChooser chooser(source, WindowRegistry::window(frame));
        if (ModalDialogs::run(chooser) != 1)
            return std::nullopt;
        return chooser.chosen();
    });
}

int32_t ConvertFileParam(HWND frame, const WAVEFORMATEX* target)
{
    return convertActiveDocument(frame, [frame, target](const PcmFormat&) -> std::optional<PcmFormat> {
        const std::optional<PcmFormat> format = target ? pcmFormatOf(*target) : std::nullopt;
        if (!format)
            ErrorBox(frame, convertMessage(ConvertStatus::CannotConvert));
        return format;
    });
}

} // extern "C"
