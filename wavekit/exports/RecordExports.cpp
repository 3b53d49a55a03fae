// The recording command: the setup dialog with the level meter, the recording dialog, and the
// load of the recording into the document or its hand-over to Bulkwave.
#include "ActiveDocument.h"
#include "BulkwaveExports.h"
#include "MessageBoxes.h"
#include "MixerLauncher.h"
#include "PlaybackBackend.h"
#include "Repaint.h"
#include "WindowRegistry.h"
#include "WindowRequests.h"
#include "bulkwave/BulkwaveWindow.h"
#include "devices/CdInput.h"
#include "devices/OutputDevices.h"
#include "devices/RecordingTexts.h"
#include "dialogs/ModalDialogs.h"
#include "dialogs/RecordDialog.h"
#include "dialogs/RecordSetupDialog.h"
#include "documents/PrivateDirectory.h"
#include "documents/SharedDocument.h"
#include "media/ConvertingInput.h"
#include "wavekit/wavekit.h"

#include "paneldraw/settings.h"

#include <mutex>

using namespace kx;

namespace {

struct DocumentState {
    PcmFormat format;
    QString name;
    bool hasData = false;
};

DocumentState stateOf(const SharedDocument& shared)
{
    std::shared_lock lock(shared.lock);
    return { PcmFormat::of(shared.document.header), QString::fromStdString(shared.document.info.fileName),
        shared.document.header.dataSize != 0 };
}

bool confirmOverwrite(HWND frame, const QString& name)
{
    return MessageBoxes::show({ WindowRegistry::window(frame), QStringLiteral("Overwrite"),
               QStringLiteral("Do you confirm overwriting\n%1?").arg(name), QMessageBox::Question,
               QMessageBox::Yes | QMessageBox::No })
        == QMessageBox::Yes;
}

/// Records into the frame's active document from `inputs`: the setup dialog, the recording
/// dialog, then the load of the recording (or its hand-over to Bulkwave).
void recordInto(HWND frame, const InputFactory& inputs, int32_t inputId, const QString& cdPosition = {})
{
    const ActiveDocument active = activeDocument(frame);
    if (!active.shared)
        return;
    const DocumentState state = stateOf(*active.shared);
    ShowHelpTopic(frame, "recsetup.htm");
    {
        RecordSetupDialog setup(
            WindowRegistry::window(frame), inputs, inputId, state.format, [frame] { startMixer(frame); }, cdPosition);
        if (ModalDialogs::run(setup) != QDialog::Accepted)
            return;
    }
    // The document keeps its sound until the recording has been made and loaded.
    if (state.hasData && !confirmOverwrite(frame, state.name))
        return;
    const std::string path = privateFilePath(kRecordingFileName);
    if (path.empty()) {
        ErrorBox(frame, "No private directory for the recording file.");
        return;
    }
    ShowHelpTopic(frame, "recording.htm");
    RecordDialog dialog(WindowRegistry::window(frame), inputs, state.format, state.name, path, cdPosition);
    if (const DeviceStatus started = dialog.start(inputId); !started.ok()) {
        ErrorBox(frame, started.errorText.c_str());
        return;
    }
    ModalDialogs::run(dialog);
    if (!dialog.saved()) {
        ErrorBox(frame, dialog.failure().c_str());
        return;
    }
    SetMouseWait(nullptr);
    if (!dialog.useBulkwave()) {
        if (ReadWaveIntoWindow(frame, active.wave, path.c_str())) {
            SetFileNotSaved(active.wave);
            showChangedData(frame, active.wave);
        }
    } else {
        RegWriteString(BulkwaveWindow::kFileNameSetting, path.c_str());
        openInBulkwave(frame, path);
        // Only a document that never held sound gives way; one with data stays as it was.
        if (!state.hasData)
            SendMessage(frame, MsgDestroyWindow, 0, reinterpret_cast<intptr_t>(active.wave));
        repaintBar(frame, MsgGetPreviewBar);
    }
    SetMouseActive();
}

} // namespace

extern "C" {

int32_t ShowRecord(HWND frame)
{
    recordInto(frame, PlaybackBackend::current().inputs,
        outputdevices::idFromText(RegGetString("Kestrix\\Settings\\WaveInID", "")));
    return 1;
}

int32_t ShowRecordCD(HWND frame, int32_t track, int32_t minutes, int32_t seconds)
{
    std::string error;
    const std::shared_ptr<CdDisc> disc = CdDisc::open(RegGetString(CdDisc::kDeviceSetting, ""), error);
    if (!disc) {
        ErrorBox(frame, error.c_str());
        return 1;
    }
    if (track < 1 || track > disc->trackCount()) {
        ErrorBox(frame, "There is no such track on the CD.");
        return 1;
    }
    const int32_t sector = disc->track(track).start + (minutes * 60 + seconds) * CdDisc::kSectorsPerSecond;
    // Straight from the disc, converted to the document's format on the way.
    const InputFactory inputs = [disc, sector](int32_t) {
        return std::make_unique<ConvertingInput>(
            std::make_unique<CdInput>(disc, sector, CdInput::Pace::RealTime), CdDisc::kFormat);
    };
    recordInto(frame, inputs, -1, QString::fromStdString(recordingtexts::cdPosition(track, minutes, seconds)));
    return 1;
}

} // extern "C"
