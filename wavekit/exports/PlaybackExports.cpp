// The exported playback routines and the device dialogs.
#include "DeviceCapsSheet.h"
#include "OutputDeviceDialog.h"
#include "OutputHandles.h"
#include "PlaybackBackend.h"
#include "WindowRegistry.h"
#include "wavekit/wavekit.h"

#include "devices/OutputDevices.h"
#include "devices/PixelCalculate.h"
#include "dialogs/ModalDialogs.h"
#include "documents/SharedDocument.h"

#include "paneldraw/settings.h"

using kx::OutputHandles;
using kx::OutputSlot;

extern "C" {

HWAVEOUT OpenOutput(uint32_t deviceId, HWND wave)
{
    // The device itself opens in PlayWAV, once: opening a sound server's stream twice would
    // double the time until the first sound. Its refusals are reported there.
    if (!kx::WindowRegistry::document(wave))
        return nullptr;
    return OutputHandles::add(std::make_unique<OutputSlot>(kx::PlaybackBackend::current().outputs, deviceId));
}

HWAVEPLAY PlayWAV(HWAVEOUT output, HWND wave, int32_t loop)
{
    std::shared_ptr<kx::SharedDocument> document = kx::WindowRegistry::document(wave);
    if (!document)
        return nullptr;
    const HWAVEPLAY play = OutputHandles::newPlay();
    // The end arrives on a device thread; the window's own thread closes the output.
    auto onDone = [output, play, wave] {
        PostMessage(wave, MM_WOM_DONE, reinterpret_cast<uintptr_t>(output), reinterpret_cast<intptr_t>(play));
    };
    kx::DeviceStatus status;
    bool playing = false;
    const bool known = OutputHandles::use(output, [&](OutputSlot& slot) {
        status = slot.player.play(document, int32_t(slot.deviceId), loop != 0, onDone);
        // A document without data plays nothing; there is then no playback to hand out.
        playing = status.ok() && slot.player.isOpen();
        if (playing)
            slot.play = play;
    });
    if (!known)
        return nullptr;
    if (!status.ok())
        ErrorBox(wave, status.errorText.c_str());
    return playing ? play : nullptr;
}

int32_t CloseOutput(HWAVEOUT output, HWAVEPLAY)
{
    // Taken out of the table first, so nobody reaches the player while it stops.
    if (std::unique_ptr<OutputSlot> slot = OutputHandles::take(output))
        slot->player.stop();
    return 1;
}

int32_t PauseOutput(HWAVEOUT output)
{
    return OutputHandles::use(output,
               [](OutputSlot& slot) {
                   if (!slot.player.isPaused())
                       slot.player.pause();
               })
        ? 1
        : 0;
}

int32_t RestartOutput(HWAVEOUT output)
{
    return OutputHandles::use(output, [](OutputSlot& slot) { slot.player.resume(); }) ? 1 : 0;
}

uint32_t GetOutputPosition(HWAVEOUT output)
{
    uint64_t position = 0;
    OutputHandles::use(output, [&](OutputSlot& slot) {
        if (slot.player.isOpen())
            position = slot.player.position() - slot.player.range().start;
    });
    return uint32_t(position);
}

int32_t PixelCalculate(uint32_t sample, uint32_t bitsPerSample, int32_t height)
{
    return kx::pixelCalculate(sample, bitsPerSample, height);
}

int32_t ShowDevCaps(HWND owner, uint32_t outputDevice, uint32_t inputDevice)
{
    kx::DeviceCapsSheet sheet(kx::WindowRegistry::window(owner), int32_t(outputDevice), int32_t(inputDevice));
    return kx::ModalDialogs::run(sheet) == QDialog::Accepted ? 1 : 0;
}

int32_t ShowSelectWaveOut(HWND owner, int32_t* deviceId)
{
    const std::vector<std::string> names = kx::PlaybackBackend::current().outputNames();
    if (names.empty()) {
        ErrorBox(owner, kx::outputdevices::kNoDeviceText);
        return 0;
    }
    std::vector<std::string> choices = names;
    choices.insert(choices.begin(), kx::outputdevices::kDefaultDeviceName);
    kx::OutputDeviceDialog dialog(kx::WindowRegistry::window(owner), choices, deviceId ? *deviceId : -1);
    if (kx::ModalDialogs::run(dialog) != QDialog::Accepted)
        return 0;
    const int32_t chosen = dialog.selectedId();
    if (deviceId)
        *deviceId = chosen;
    const std::string text = kx::outputdevices::textOfId(chosen);
    RegWriteString("Kestrix\\Settings\\WaveOutID", text.c_str());
    RegWriteString("Kestrix\\Settings\\WaveInID", text.c_str());
    return 1;
}

} // extern "C"
