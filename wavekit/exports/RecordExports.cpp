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
#include "devices/OutputDevices.h"
#include "dialogs/ModalDialogs.h"
#include "dialogs/RecordDialog.h"
#include "dialogs/RecordSetupDialog.h"
#include "documents/PrivateDirectory.h"
#include "documents/SharedDocument.h"
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

} // namespace

extern "C" {

int32_t ShowRecord(HWND frame)
{
    const ActiveDocument active = activeDocument(frame);
    if (!active.shared)
        return 1;
    const DocumentState state = stateOf(*active.shared);
    const InputFactory inputs = PlaybackBackend::current().inputs;
    const int32_t inputId = outputdevices::idFromText(RegGetString("Kestrix\\Settings\\WaveInID", ""));
    ShowHelpTopic(frame, "recsetup.htm");
    {
        RecordSetupDialog setup(
            WindowRegistry::window(frame), inputs, inputId, state.format, [frame] { startMixer(frame); });
        if (ModalDialogs::run(setup) != QDialog::Accepted)
            return 1;
    }
    // The document keeps its sound until the recording has been made and loaded.
    if (state.hasData && !confirmOverwrite(frame, state.name))
        return 1;
    const std::string path = privateFilePath(kRecordingFileName);
    if (path.empty()) {
        ErrorBox(frame, "No private directory for the recording file.");
        return 1;
    }
    ShowHelpTopic(frame, "recording.htm");
    RecordDialog dialog(WindowRegistry::window(frame), inputs, state.format, state.name, path);
    if (const DeviceStatus started = dialog.start(inputId); !started.ok()) {
        ErrorBox(frame, started.errorText.c_str());
        return 1;
    }
    ModalDialogs::run(dialog);
    if (!dialog.saved()) {
        ErrorBox(frame, dialog.failure().c_str());
        return 1;
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
    return 1;
}

} // extern "C"
