// The Bulkwave loader in the frame: clicks at its fixed places, the marked part loaded into a
// new document, and files too large for a document handed to it by File Open.
#include "CommandIds.h"
#include "DialogScript.h"
#include "FrameWindow.h"
#include "LargeWavFiles.h"
#include "OpenAndWait.h"
#include "TempDir.h"
#include "WaveWindow.h"
#include "bulkwave/BulkwavePart.h"
#include "bulkwave/BulkwaveWindow.h"
#include "devices/TestDevice.h"
#include "documents/SharedDocument.h"
#include "exports/PlaybackBackend.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace kx;
using namespace kx::test;

/// 16-bit stereo frames that each hold their own number.
Bytes numberedFrames(uint32_t frames)
{
    Bytes b;
    b.reserve(std::size_t(frames) * 4);
    for (uint32_t i = 0; i < frames; ++i)
        put32(b, i);
    return b;
}

class BulkwaveLoader : public testing::Test {
protected:
    void SetUp() override
    {
        PlaybackBackend backend = PlaybackBackend::portAudio();
        backend.outputs = device->factory();
        PlaybackBackend::install(std::move(backend));
        frame = std::make_unique<FrameWindow>();
        frame->resize(900, 700);
        frame->show();
        frame->runCommand(CmdBulkwave);
        loader = frame->findChild<BulkwaveWindow*>();
        ASSERT_NE(loader, nullptr);
    }
    void TearDown() override
    {
        frame.reset();
        PlaybackBackend::install({});
    }

    void clickAt(int x, int y) { QTest::mouseClick(loader, Qt::LeftButton, {}, QPoint(x, y)); }

    Bytes activeSamples(QString& title)
    {
        WaveWindow* wave = frame->activeWaveWindow();
        if (!wave)
            return {};
        title = wave->windowTitle();
        std::shared_lock lock(wave->document()->lock);
        const auto bytes = wave->document()->document.samples.bytes();
        return { bytes.begin(), bytes.end() };
    }

    std::shared_ptr<TestDevice> device = TestDevice::create();
    TempDir dir;
    std::unique_ptr<FrameWindow> frame;
    BulkwaveWindow* loader = nullptr;
    RecordedBoxes boxes;
};

TEST_F(BulkwaveLoader, SeekStripMarksAndLoadTakeOnlyTheMarkedPart)
{
    const std::string path = dir.file("minute.wav");
    const Bytes data = numberedFrames(60 * 44100);
    writeFile(path, riff({ chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", data) }));
    loader->openFile(path);
    loader->show();

    clickAt(150 + 31, 115); // pixel 31 of the seek strip
    EXPECT_EQ(loader->player().positionMs(), 11900u);
    clickAt(280, 90); // start mark
    clickAt(150 + 155, 115);
    EXPECT_EQ(loader->player().positionMs(), 59900u);
    clickAt(300, 90); // end mark
    EXPECT_EQ(loader->marks().startBytes, 11900ull * 176400 / 1000);
    EXPECT_EQ(loader->marks().lengthBytes, 48000ull * 176400 / 1000);
    EXPECT_TRUE(waitFor([&] { return loader->markerPosition() == QPoint(299, 110); }));

    clickAt(30, 115); // load
    QString first;
    const Bytes part = activeSamples(first);
    const auto start = data.begin() + 11900L * 176400 / 1000;
    EXPECT_EQ(part, Bytes(start, start + 48000L * 176400 / 1000));
    clickAt(30, 115);
    QString second;
    activeSamples(second);
    ASSERT_TRUE(first.startsWith(QStringLiteral("Part of %1 (").arg(path.c_str()))) << first.toStdString();
    const int counter = first.section(QLatin1Char('('), -1).chopped(1).toInt();
    EXPECT_EQ(second, QStringLiteral("Part of %1 (%2)").arg(path.c_str()).arg(counter + 1));
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(BulkwaveLoader, FileOpenHandsOverAFiveGigabyteFileWhoseToneLoadsBitExact)
{
    const std::string path = dir.file("huge.wav");
    const Bytes sound = tone(10);
    const uint64_t soundAt = 4ull * 1024 * 1024 * 1024 + 176400 * 7;
    const uint64_t fileSize = 5ull * 1024 * 1024 * 1024;
    writeSparse(path, rf64Head(fmtBody(2, 44100, 16), fileSize - 80), fileSize, 80 + soundAt, sound);

    boxes.answer = QMessageBox::Yes;
    EXPECT_TRUE(openAndWait(*frame, path));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_TRUE(boxes.texts[0].startsWith(QStringLiteral("This file is too large to be loaded whole:")));
    EXPECT_TRUE(frame->waveWindows().isEmpty());
    EXPECT_TRUE(loader->isVisible());
    EXPECT_EQ(loader->fileName(), path);
    EXPECT_EQ(loader->player().file().dataSize(), fileSize - 80);

    ASSERT_TRUE(loadWavePart(frame->handle(), soundAt, sound.size(), path));
    QString title;
    EXPECT_TRUE(activeSamples(title) == sound);
    EXPECT_LT(bytesOnDisk(path), 64u * 1024 * 1024);
}

} // namespace
