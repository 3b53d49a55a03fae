#include "documents/NewDocument.h"
#include "documents/SharedDocument.h"
#include "documents/UndoStore.h"
#include "exports/MessageBoxes.h"
#include "exports/WindowRegistry.h"
#include "wavekit/wavekit.h"

#include "TempDir.h"
#include "WavBuilder.h"
#include "paneldraw/settings.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractButton>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

namespace {

using namespace kx;
using namespace kx::test;

TEST(DocumentFlags, FollowTheDocumentAndTheWindow)
{
    EXPECT_EQ(IsFileWorking(nullptr), 1);
    EXPECT_EQ(IsFileSaved(nullptr), 0);

    auto document = std::make_shared<SharedDocument>(makeNewDocument(NewFileFormat{}, 1, 100));
    HWND wave = WindowRegistry::add(nullptr, document);
    EXPECT_EQ(IsFileSaved(wave), 1);
    EXPECT_EQ(IsFileWorking(wave), 0);
    EXPECT_NE(SetFileNotSaved(wave), 0);
    EXPECT_EQ(IsFileSaved(wave), 0);
    EXPECT_NE(SetFileWorking(wave), 0);
    EXPECT_EQ(IsFileWorking(wave), 1);
    EXPECT_EQ(document->document.info.working, 1u);
    SetFileNotWorking(wave);
    SetFileSaved(wave);
    EXPECT_EQ(IsFileWorking(wave), 0);
    EXPECT_EQ(IsFileSaved(wave), 1);

    // A closed window's handle names nothing, also for whoever still holds the document.
    WindowRegistry::remove(wave);
    EXPECT_EQ(IsFileWorking(wave), 1);
    EXPECT_EQ(WindowRegistry::document(wave), nullptr);
    HWND next = WindowRegistry::add(nullptr, document);
    EXPECT_NE(next, wave); // handles are never reused
    WindowRegistry::remove(next);
}

TEST(UndoExports, RefusedWhileAnOperationRunsThenUndoneAndRedone)
{
    WaveDocument initial = makeNewDocument(NewFileFormat {}, 1, 100);
    initial.samples = SampleBuffer::copyOf(std::vector<uint8_t>(10, 7));
    initial.header.setDataSize(10);
    auto shared = std::make_shared<SharedDocument>(std::move(initial));
    HWND wave = WindowRegistry::add(nullptr, shared); // with the settings' default of 20 levels
    ASSERT_EQ(SaveUndoInformation(wave, 2, 4, UndoChanged, "Zeroize"), 1);
    std::fill_n(shared->document.samples.data() + 2, 4, 128);

    shared->operationRunning = true;
    EXPECT_EQ(RestoreUndoInformation(wave), 0);
    EXPECT_EQ(shared->document.samples.data()[2], 128);
    shared->operationRunning = false;
    EXPECT_EQ(RestoreUndoInformation(wave), 1);
    EXPECT_EQ(shared->document.samples.data()[2], 7);
    EXPECT_EQ(IsUndoPossible(wave), 0);
    EXPECT_STREQ(RedoDescription(wave), "Zeroize");
    EXPECT_EQ(RestoreRedoInformation(wave), 1);
    EXPECT_EQ(shared->document.samples.data()[2], 128);
    EXPECT_EQ(IsRedoPossible(wave), 0);
    EXPECT_STREQ(UndoDescription(wave), "Zeroize");
    WindowRegistry::remove(wave);
    UndoStore::setPolicy({});
}

TEST(UndoExports, ReadingAFileIntoAWindowIsOneStepOrClearsTheOneLevel)
{
    TempDir dir;
    const std::string path = dir.file("in.wav");
    writeFile(path, riff({ chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", ramp(40)) }));
    for (const char* levels : { "1", "20" }) {
        RegWriteString("Kestrix\\Settings\\UndoLevels", levels);
        WaveDocument initial = makeNewDocument(NewFileFormat {}, 1, 100);
        initial.samples = SampleBuffer::copyOf(std::vector<uint8_t>(10, 7));
        initial.header.setDataSize(10);
        const WaveHeader before = initial.header;
        auto shared = std::make_shared<SharedDocument>(std::move(initial));
        HWND wave = WindowRegistry::add(nullptr, shared);
        SaveUndoInformation(wave, 0, 10, UndoChanged, "Zeroize");
        ASSERT_EQ(ReadWaveIntoWindow(nullptr, wave, path.c_str()), 1);
        EXPECT_EQ(shared->document.header.dataSize, 40u);
        if (levels[0] == '1') {
            EXPECT_EQ(IsUndoPossible(wave), 0); // the old record no longer fits the data
        } else {
            EXPECT_STREQ(UndoDescription(wave), "Read File");
            EXPECT_EQ(RestoreUndoInformation(wave), 1);
            EXPECT_EQ(std::memcmp(&shared->document.header, &before, sizeof before), 0);
            EXPECT_EQ(shared->document.samples.data()[9], 7);
        }
        WindowRegistry::remove(wave);
    }
    RegWriteString("Kestrix\\Settings\\UndoLevels", "20");
    UndoStore::setPolicy({});
}

class MessageBoxTest : public testing::Test {
protected:
    std::vector<MessageBoxRequest> shown;
    std::vector<std::thread::id> threads;
    void SetUp() override
    {
        MessageBoxes::setPresenter([this](const MessageBoxRequest& request) {
            shown.push_back(request);
            threads.push_back(std::this_thread::get_id());
            return QMessageBox::Ok;
        });
    }
    void TearDown() override { MessageBoxes::setPresenter({}); }
};

TEST_F(MessageBoxTest, CaptionsIconsAndTexts)
{
    EXPECT_EQ(ErrorBox(nullptr, "File truncated."), QMessageBox::Ok);
    ExceptionBox(nullptr, "SaveWAV");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].caption, "Warning...");
    EXPECT_EQ(shown[0].text, "File truncated.");
    EXPECT_EQ(shown[0].icon, QMessageBox::Critical);
    EXPECT_EQ(shown[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(shown[1].caption, "Kestrix2000 Exception Handling...");
    EXPECT_EQ(shown[1].text,
        "An handled exception occured in function SaveWAV.\nSave your work and restart "
        "Kestrix as soon as possible.");
    EXPECT_EQ(shown[1].icon, QMessageBox::Information);
}

TEST(MessageBoxes, RealBoxFromAWorkerThreadShowsOnTheInterfaceThread)
{
    // Close the box as soon as it is up, as a person pressing OK would.
    std::thread::id shownOn;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shownOn = std::this_thread::get_id();
            EXPECT_EQ(box->windowTitle(), "Warning...");
            EXPECT_EQ(box->text(), "from a worker");
            EXPECT_EQ(box->icon(), QMessageBox::Critical);
            box->button(QMessageBox::Ok)->click();
        }
    });
    closer.start(5);
    int result = 0;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        result = ErrorBox(nullptr, "from a worker");
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    EXPECT_EQ(shownOn, std::this_thread::get_id());
    EXPECT_EQ(result, QMessageBox::Ok);
}

TEST(MessageBoxes, CarriageReturnsBreakTheLine)
{
    QString shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    closer.start(5);
    ErrorBox(nullptr, "Do you really want to revert\rto the previoulsy saved version?");
    EXPECT_EQ(shown, "Do you really want to revert\nto the previoulsy saved version?");
}

TEST(BusyCursor, OneKeptCursorForTheProcess)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    const intptr_t normal = SetMouseWait(nullptr);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    SetMouseActive();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // Two waits in a row keep the busy cursor, so the following active leaves it up.
    const intptr_t first = SetMouseWait(nullptr);
    EXPECT_EQ(first, normal);
    const intptr_t second = SetMouseWait(nullptr);
    EXPECT_NE(second, normal);
    SetMouseActive();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
}

} // namespace
