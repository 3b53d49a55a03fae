// The Bulkwave loader as the editor reaches it: made hidden at start-up, shown with its command,
// handed recordings and files too large for a document.
#include "BulkwaveExports.h"

#include "MessageBoxes.h"
#include "PlaybackBackend.h"
#include "WindowRegistry.h"
#include "WindowRequests.h"
#include "bulkwave/BulkwaveWindow.h"
#include "devices/OutputDevices.h"
#include "documents/LargeWavFile.h"
#include "documents/RecordingFile.h"

#include "paneldraw/settings.h"

#include <QPointer>

namespace kx {

namespace {

    /// There is one loader at a time.
    QPointer<BulkwaveWindow> g_loader;

    BulkwaveWindow* loaderOf(HWND frame)
    {
        if (!g_loader)
            ShowBulkwave(frame);
        return g_loader;
    }

} // namespace

void openInBulkwave(HWND frame, const std::string& path)
{
    BulkwaveWindow* loader = loaderOf(frame);
    if (!loader)
        return;
    loader->openFile(path);
    loader->show();
    loader->raise();
}

} // namespace kx

using namespace kx;

extern "C" {

HWND ShowBulkwave(HWND frame)
{
    if (g_loader)
        return WindowRegistry::handleOf(g_loader);
    QWidget* owner = WindowRegistry::window(frame);
    const int32_t deviceId = outputdevices::idFromText(RegGetString("Kestrix\\Settings\\WaveOutID", ""));
    auto* loader = new BulkwaveWindow(owner, frame, PlaybackBackend::current().outputs, deviceId);
    g_loader = loader;
    const HWND handle = WindowRegistry::add(loader, nullptr);
    QObject::connect(loader, &QObject::destroyed, [handle] { WindowRegistry::remove(handle); });
    return handle;
}

int32_t OfferBulkwave(HWND frame, const char* path)
{
    LargeWavFile file;
    if (!path || !file.open(path))
        return 0;
    // The editor's own reader takes every plain RIFF file a document can hold.
    if (file.layout() == LargeWavFile::Layout::Riff && file.dataSize() <= RecordingFile::kMaxDataBytes)
        return 0;
    const QString text = QStringLiteral("This file is too large to be loaded whole:\n%1\nOpen it in the Bulkwave "
                                        "Loader?")
                             .arg(QString::fromUtf8(path));
    if (MessageBoxes::show({ WindowRegistry::window(frame), QStringLiteral("Bulkwave Loader"), text,
            QMessageBox::Question, QMessageBox::Yes | QMessageBox::No })
        == QMessageBox::Yes)
        openInBulkwave(frame, path);
    return 1;
}

} // extern "C"
