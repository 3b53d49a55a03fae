// The editor's File Open path over every kind of file: the threaded opener in the real frame,
// answered through the raw-file dialog and the message boxes.
#include "CommandIds.h"
#include "DialogScript.h"
#include "FrameWindow.h"
#include "OpenAndWait.h"
#include "TempDir.h"
#include "ToneFiles.h"
#include "WaitFor.h"
#include "WaveWindow.h"
#include "documents/FormatSettings.h"
#include "documents/SharedDocument.h"
#include "paneldraw/settings.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QSpinBox>

#include <set>

namespace {

using namespace kx;
using namespace kx::test;

/// Opens `path` the way the recent-files list does (a new window filled by the threaded opener)
/// and waits until the opener has ended.
void openThreaded(FrameWindow& frame, const std::string& path)
{
    RegWriteString("Kestrix\\RecentFiles\\File1", path.c_str());
    frame.runCommand(CmdRecentFirst);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
}

void storeDefaultRawFormat()
{
    for (const auto& [name, value] : { std::pair { "Bit", "8" }, { "Channels", "1" }, { "Samples", "22050" },
             { "BytesPerSample", "1" }, { "BytesPerSec", "22050" } })
        RegWriteString(formatSettingPath(FormatGroup::RawFile, name).c_str(), value);
}

Bytes someText(std::size_t length)
{
    const std::string line = "hello, this is a text and no sound at all.\n";
    Bytes bytes;
    while (bytes.size() < length)
        bytes.push_back(uint8_t(line[bytes.size() % line.size()]));
    return bytes;
}

TEST(FileOpen, TextFileIsReadAsRawUnderTheRawFormat)
{
    storeDefaultRawFormat();
    TempDir dir;
    const std::string path = dir.file("notes.txt");
    const Bytes text = someText(3000);
    writeFile(path, text);
    RecordedBoxes boxes;
    ScriptedDialogs dialogs;
    dialogs.steps.push_back([](QDialog& dialog) {
        EXPECT_EQ(field(dialog, "control106"), "2 KB");
        EXPECT_EQ(field(dialog, "control107"), "2 KB");
        EXPECT_TRUE(press(dialog, "button1"));
        return dialog.result();
    });
    FrameWindow frame;
    frame.show();
    openThreaded(frame, path);
    EXPECT_EQ(dialogs.titles, std::vector<QString> { "RAW File Format Parameter Specification" });
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(std::string(RegGetString("Kestrix\\RawFile\\FileLength", "")), "3000");
    ASSERT_EQ(frame.waveWindows().size(), 1);
    WaveWindow* wave = frame.activeWaveWindow();
    const WaveDocument& document = wave->document()->document;
    EXPECT_EQ(document.info.sourceKind, SourceRawFile);
    EXPECT_EQ(PcmFormat::of(document.header), (PcmFormat { 8, 1, 22050 }));
    ASSERT_EQ(document.header.dataSize, 3000u);
    EXPECT_EQ(Bytes(document.samples.data(), document.samples.data() + 3000), text);
    EXPECT_EQ(wave->windowTitle().toStdString(), path);
    EXPECT_FALSE(IsFileWorking(wave->handle()));
}

TEST(FileOpen, RawFormatChosenInTheDialogApplies)
{
    storeDefaultRawFormat();
    TempDir dir;
    const std::string path = dir.file("samples.raw");
    writeFile(path, someText(1001)); // the odd byte is no whole 16-bit frame
    ScriptedDialogs dialogs;
    dialogs.steps.push_back([](QDialog& dialog) {
        chooseFormat(dialog, 1, 0, "16000");
        EXPECT_TRUE(press(dialog, "button1"));
        return dialog.result();
    });
    FrameWindow frame;
    frame.show();
    openThreaded(frame, path);
    ASSERT_EQ(frame.waveWindows().size(), 1);
    const WaveHeader& header = frame.activeWaveWindow()->document()->document.header;
    EXPECT_EQ(PcmFormat::of(header), (PcmFormat { 16, 1, 16000 }));
    EXPECT_EQ(header.nAvgBytesPerSec, 32000u);
    EXPECT_EQ(header.dataSize, 1000u);
    storeDefaultRawFormat();
}

TEST(FileOpen, FailuresCloseTheHalfBuiltWindowWithTheirMessage)
{
    const struct {
        const char* name;
        Bytes bytes;
        std::vector<QString> messages;
    } cases[] = {
        { "cancelled.raw", someText(100), {} }, // the raw-file dialog cancelled
        { "short.wav", { 'R', 'I', 'F' }, { "File too small." } },
        { "text.txt", text("This text begins like a RIFF file would."), { "File is not a wave file." } },
        { "song.mid", riff({ chunk("data", Bytes(16, 0)) }, "RMID"), { "File is not a wave file." } },
        { "nofmt.wav", riff({ chunk("data", Bytes(16, 0)) }), { "File is in wrong format." } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeFile(dir.file(c.name), c.bytes);
        RecordedBoxes boxes;
        ScriptedDialogs dialogs; // no steps: the raw-file dialog is cancelled
        FrameWindow frame;
        frame.show();
        openThreaded(frame, dir.file(c.name));
        EXPECT_TRUE(waitFor([&] { return frame.waveWindows().isEmpty(); }));
        EXPECT_EQ(boxes.texts, c.messages);
        EXPECT_EQ(frame.operations().runningCount(), 0);
    }
}

TEST(FileOpen, MissingFileIsReported)
{
    TempDir dir;
    RecordedBoxes boxes;
    FrameWindow frame;
    frame.show();
    openThreaded(frame, dir.file("gone.wav"));
    EXPECT_TRUE(waitFor([&] { return frame.waveWindows().isEmpty(); }));
    EXPECT_EQ(boxes.texts, std::vector<QString> { "File not found. Please check the pathname." });
}

TEST(FileOpen, AdpcmWaveIsDecodedAndSavingAsksAboutTheFormat)
{
    const struct {
        const char* compressBits;
        uint16_t bits;
        uint32_t dataSize;
    } cases[] = {
        { "8", 8, 88200 },
        { "16", 16, 176400 },
    };
    TempDir dir;
    const PcmFormat format { 16, 1, 44100 };
    const Bytes samples = tone(format, 88200, 440.0);
    writePcmWav(dir.file("source.wav"), format, samples);
    ASSERT_TRUE(sox(dir.file("source.wav"), "-e ima-adpcm", dir.file("ima.wav")));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.compressBits);
        RegWriteString("Kestrix\\Settings\\CompressBits", c.compressBits);
        RecordedBoxes boxes;
        boxes.answer = QMessageBox::No;
        FrameWindow frame;
        frame.show();
        openThreaded(frame, dir.file("ima.wav"));
        ASSERT_EQ(frame.waveWindows().size(), 1);
        const WaveDocument& document = frame.activeWaveWindow()->document()->document;
        EXPECT_EQ(document.info.sourceKind, SourceCompressedWave);
        EXPECT_EQ(PcmFormat::of(document.header), (PcmFormat { c.bits, 1, 44100 }));
        EXPECT_EQ(document.header.dataSize, c.dataSize);
        // Close to the tone: compare a stretch in the middle.
        double error = 0, signal = 0;
        for (std::size_t i = 40000; i < 41000; ++i) {
            const double want = sampleAt(samples.data(), 16, i);
            const double got = sampleAt(document.samples.data(), c.bits, i);
            error += (got - want) * (got - want);
            signal += want * want;
        }
        EXPECT_LT(std::sqrt(error / signal), 0.1);
        EXPECT_TRUE(boxes.texts.empty());

        frame.runCommand(CmdSave);
        ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(
            boxes.texts[0], "This file can not be saved in its original format.\rShall I save it as a .WAV file?");
        EXPECT_EQ(IsFileSaved(frame.activeWaveWindow()->handle()), 1);
    }
    RegWriteString("Kestrix\\Settings\\CompressBits", "8");
}

TEST(FileOpen, FlacFileIsDecoded)
{
    TempDir dir;
    const PcmFormat format { 16, 2, 44100 };
    const Bytes samples = tone(format, 44100, 440.0);
    writePcmWav(dir.file("source.wav"), format, samples);
    ASSERT_TRUE(ffmpeg("-i " + dir.file("source.wav") + " " + dir.file("tone.flac")));
    RegWriteString("Kestrix\\Settings\\CompressBits", "16");
    RecordedBoxes boxes;
    FrameWindow frame;
    frame.show();
    openThreaded(frame, dir.file("tone.flac"));
    RegWriteString("Kestrix\\Settings\\CompressBits", "8");
    ASSERT_EQ(frame.waveWindows().size(), 1);
    EXPECT_TRUE(boxes.texts.empty());
    const WaveDocument& document = frame.activeWaveWindow()->document()->document;
    EXPECT_EQ(document.info.sourceKind, SourceMediaFile);
    EXPECT_EQ(PcmFormat::of(document.header), format);
    ASSERT_EQ(document.header.dataSize, samples.size());
    // FLAC is lossless.
    EXPECT_EQ(Bytes(document.samples.data(), document.samples.data() + samples.size()), samples);
}

TEST(FileOpen, FilesDroppedOnTheFrameOpenEachInAWindowOfItsOwn)
{
    TempDir dir;
    std::vector<std::string> paths;
    std::vector<Bytes> samples;
    for (int i = 0; i < 3; ++i) {
        const PcmFormat format { 16, uint16_t(1 + i % 2), 22050 };
        samples.push_back(tone(format, 4000 + 1000 * i, 220.0 * (i + 1)));
        paths.push_back(dir.file("drop" + std::to_string(i) + ".wav"));
        writePcmWav(paths.back(), format, samples.back());
    }
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths)
        urls.append(QUrl::fromLocalFile(QString::fromStdString(path)));
    urls.append(QUrl::fromLocalFile(QString::fromStdString(dir.path().string()))); // a directory
    urls.append(QUrl(QStringLiteral("https://example.invalid/remote.wav")));
    data.setUrls(urls);

    RecordedBoxes boxes;
    FrameWindow frame;
    frame.show();
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(&frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setAccepted(false);
    QApplication::sendEvent(&frame, &drop);
    EXPECT_TRUE(drop.isAccepted());
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));

    ASSERT_EQ(frame.waveWindows().size(), 3);
    std::set<std::string> opened;
    for (WaveWindow* wave : frame.waveWindows()) {
        const WaveDocument& document = wave->document()->document;
        const auto index = std::find(paths.begin(), paths.end(), document.info.fileName) - paths.begin();
        ASSERT_LT(std::size_t(index), paths.size()) << document.info.fileName;
        EXPECT_EQ(Bytes(document.samples.data(), document.samples.data() + document.header.dataSize), samples[index]);
        EXPECT_FALSE(IsFileWorking(wave->handle()));
        opened.insert(document.info.fileName);
    }
    EXPECT_EQ(opened.size(), 3u);
    EXPECT_TRUE(boxes.texts.empty());

    QMimeData nothingToOpen;
    nothingToOpen.setUrls({ QUrl::fromLocalFile(QString::fromStdString(dir.path().string())) });
    QDragEnterEvent refused(QPoint(100, 100), Qt::CopyAction, &nothingToOpen, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(&frame, &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST(FileOpen, ASoundFileHandedOverByPathIsDecoded)
{
    TempDir dir;
    const PcmFormat format { 16, 2, 44100 };
    const Bytes samples = tone(format, 20000, 440.0);
    writePcmWav(dir.file("tone.wav"), format, samples);
    ASSERT_TRUE(ffmpeg("-i " + dir.file("tone.wav") + " -c:a flac " + dir.file("tone.flac")));
    ASSERT_TRUE(sox(dir.file("tone.wav"), "-e float -b 32", dir.file("float.wav")));
    RegWriteString("Kestrix\\Settings\\CompressBits", "16");
    RecordedBoxes boxes;
    FrameWindow frame;
    frame.show();
    EXPECT_TRUE(openAndWait(frame, dir.file("tone.flac"))); // as a file manager's Open-with
    EXPECT_TRUE(openAndWait(frame, dir.file("float.wav")));
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts[0].toStdString();
    ASSERT_EQ(frame.waveWindows().size(), 2);
    for (WaveWindow* wave : frame.waveWindows()) {
        const WaveDocument& document = wave->document()->document;
        EXPECT_EQ(PcmFormat::of(document.header), format);
        EXPECT_EQ(document.header.dataSize, samples.size());
    }
}

TEST(FileSave, SaveAsInAnExportFormatEncodesWithTheChosenQuality)
{
    TempDir dir;
    const PcmFormat format { 16, 2, 44100 };
    const Bytes samples = tone(format, 30000, 440.0);
    writePcmWav(dir.file("tone.wav"), format, samples);
    FrameWindow frame;
    frame.show();
    openThreaded(frame, dir.file("tone.wav"));
    ASSERT_EQ(frame.waveWindows().size(), 1);

    ScriptedDialogs dialogs;
    dialogs.steps.push_back([&](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        const QString flac = files.nameFilters().filter(QStringLiteral("FLAC")).value(0);
        files.selectNameFilter(flac);
        emit files.filterSelected(flac);
        auto* quality = files.findChild<QSpinBox*>(QStringLiteral("quality"));
        EXPECT_TRUE(quality && quality->isVisibleTo(&files));
        EXPECT_EQ(quality ? quality->maximum() : 0, 12);
        if (quality)
            quality->setValue(8);
        files.selectFile(QString::fromStdString(dir.file("take")));
        return int(QDialog::Accepted);
    });
    RecordedBoxes boxes;
    boxes.answer = QMessageBox::No;
    frame.runCommand(CmdSaveAs);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    EXPECT_EQ(dialogs.titles, std::vector<QString> { "Kestrix2000  -  Save File" });
    EXPECT_EQ(std::string(RegGetString("Kestrix\\Settings\\Export\\flacQuality", "")), "8");
    const std::string written = dir.file("take.flac");
    ASSERT_TRUE(std::filesystem::exists(written));
    WaveWindow* wave = frame.activeWaveWindow();
    EXPECT_EQ(wave->document()->document.info.fileName, written);
    EXPECT_TRUE(IsFileSaved(wave->handle()));

    // The file holds the very samples.
    ASSERT_TRUE(ffmpeg("-i " + written + " -f s16le -c:a pcm_s16le " + dir.file("back.raw")));
    EXPECT_EQ(readFile(dir.file("back.raw")), samples);
    // What is on disk is FLAC: a plain Save asks before it writes WAV over it.
    frame.runCommand(CmdSave);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    EXPECT_EQ(boxes.texts.size(), 1u);
    EXPECT_TRUE(boxes.texts.empty() || boxes.texts[0].startsWith(QStringLiteral("This file can not be saved")));
    RegWriteString("Kestrix\\Directories\\WaveSaveFormat", "wav");
}

} // namespace
