// The options sheet: what its pages store, when, and what acts on it.
#include "dialogs/OptionsSheet.h"
#include "CommandIds.h"
#include "DialogScript.h"
#include "FrameWindow.h"
#include "OpenAndWait.h"
#include "TempDir.h"
#include "WavBuilder.h"
#include "WaveView.h"
#include "WaveWindow.h"
#include "dialogs/OptionSettings.h"
#include "documents/SharedDocument.h"
#include "exports/OperationContext.h"
#include "paneldraw/settings.h"

#include <QCheckBox>
#include <QListWidget>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <atomic>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace kx;
using namespace kx::test;

std::string setting(const char* path)
{
    return RegGetString(path, "(none)");
}

TEST(OptionsSheet, DefaultsWithNothingStored)
{
    // The first test of this binary: nothing is stored yet.
    OptionsSheet sheet(nullptr);
    EXPECT_EQ(control<QSlider>(sheet, "displayQuality").value(), 7);
    EXPECT_EQ(control<QSlider>(sheet, "previewQuality").value(), 8);
    EXPECT_EQ(control<QSlider>(sheet, "threadSpeed").value(), kDefaultThreadSpeed);
    EXPECT_TRUE(control<QCheckBox>(sheet, "displayStartAssistant").isChecked());
    EXPECT_EQ(control<QSpinBox>(sheet, "startZoom").value(), 100);
    EXPECT_EQ(control<QListWidget>(sheet, "timeDisplay").currentItem()->text(), "Time of track");
    EXPECT_EQ(control<QListWidget>(sheet, "trackDisplay").currentItem()->text(), "Current track");
    EXPECT_TRUE(control<QLineEdit>(sheet, "cdDevice").text().isEmpty());
    QStringList tabs;
    for (int i = 0; i < sheet.pages()->count(); ++i)
        tabs << sheet.pages()->tabText(i);
    EXPECT_EQ(tabs, QStringList({ "New Files", "Startup", "General", "CD Player", "Threads" }));
}

/// One control of a page and the setting text it stores once changed.
struct Change {
    const char* setting;
    const char* before;
    std::function<void(QDialog&)> change;
    const char* after;
};

std::vector<Change> oneChangePerPage()
{
    return {
        { "Kestrix\\NewFile\\Samples", "22050",
            [](QDialog& d) { control<QComboBox>(d, "control103").setEditText("44100"); }, "44100" },
        { kNoStartAssistantSetting, "0",
            [](QDialog& d) { control<QCheckBox>(d, "displayStartAssistant").setChecked(false); }, "1" },
        { kWindowQualitySetting, "300", [](QDialog& d) { control<QSlider>(d, "displayQuality").setValue(9); }, "100" },
        { kStartZoomSetting, "100", [](QDialog& d) { control<QSpinBox>(d, "startZoom").setValue(0); }, "0" },
        { kDoubleClickMarksAllSetting, "1",
            [](QDialog& d) { control<QCheckBox>(d, "doubleClickMarksAll").setChecked(false); }, "0" },
        { kPreviewQualitySetting, "200", [](QDialog& d) { control<QSlider>(d, "previewQuality").setValue(3); }, "700" },
        { kRecentFilesCountSetting, "10", [](QDialog& d) { control<QSpinBox>(d, "recentFiles").setValue(20); }, "20" },
        { kCdTimeDisplaySetting, "1", [](QDialog& d) { control<QListWidget>(d, "timeDisplay").setCurrentRow(2); },
            "4" }, // length of track
        { kCdTrackDisplaySetting, "11", [](QDialog& d) { control<QListWidget>(d, "trackDisplay").setCurrentRow(1); },
            "12" },
        { kCdStopOnExitSetting, "1", [](QDialog& d) { control<QCheckBox>(d, "stopOnExit").setChecked(false); }, "0" },
        { kCdAutoPlaySetting, "0", [](QDialog& d) { control<QCheckBox>(d, "autoPlay").setChecked(true); }, "1" },
        { kCdUpdateIntervalSetting, "850", [](QDialog& d) { control<QSpinBox>(d, "updateInterval").setValue(500); },
            "500" },
        { kCdDeviceSetting, "", [](QDialog& d) { control<QLineEdit>(d, "cdDevice").setText(" /media/disc.cue "); },
            "/media/disc.cue" },
        { kPlayThreadCompleteSetting, "1",
            [](QDialog& d) { control<QCheckBox>(d, "playThreadComplete").setChecked(false); }, "0" },
        { kThreadSpeedSetting, "3", [](QDialog& d) { control<QSlider>(d, "threadSpeed").setValue(5); }, "5" },
    };
}

TEST(OptionsSheet, OkOnAnyPageStoresEveryPageAndCancelStoresNothing)
{
    const std::vector<Change> changes = oneChangePerPage();
    for (const char* button : { "button2", "button1" }) {
        for (int page = OptionsSheet::NewFiles; page <= OptionsSheet::Threads; ++page) {
            SCOPED_TRACE(std::string(button) + " on page " + std::to_string(page));
            for (const Change& c : changes)
                RegWriteString(c.setting, c.before);
            ScriptedDialogs dialogs;
            dialogs.steps.push_back([&](QDialog& dialog) {
                EXPECT_EQ(static_cast<OptionsSheet&>(dialog).pages()->currentIndex(), page);
                for (const Change& c : changes)
                    c.change(dialog);
                EXPECT_TRUE(press(dialog, button));
                return dialog.result();
            });
            EXPECT_EQ(ShowOptionsPropertySheetNum(nullptr, page), std::string(button) == "button1" ? 1 : 0);
            ASSERT_EQ(dialogs.titles, std::vector<QString> { "Kestrix2000 Options" });
            for (const Change& c : changes)
                EXPECT_EQ(setting(c.setting), std::string(button) == "button1" ? c.after : c.before) << c.setting;
        }
    }
}

TEST(OptionsSheet, QualityTrackBarsShowTheirSettingsAndStoreTheMapping)
{
    const struct {
        const char* stored; // "" keeps the setting as the store had it before
        int position;
        int moveTo;
        const char* written;
    } cases[] = {
        { "300", 7, 7, "300" }, // the default
        { "100", 9, 3, "700" }, { "700", 3, 9, "100" }, { "200", 8, 8, "200" },
        { "5000", 3, 3, "700" }, // beyond the low end
        { "0", 9, 9, "100" }, // beyond the high end
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        RegWriteString(kWindowQualitySetting, c.stored);
        RegWriteString(kPreviewQualitySetting, c.stored);
        OptionsSheet sheet(nullptr);
        auto& display = control<QSlider>(sheet, "displayQuality");
        auto& preview = control<QSlider>(sheet, "previewQuality");
        EXPECT_EQ(display.value(), c.position);
        EXPECT_EQ(preview.value(), c.position);
        display.setValue(c.moveTo);
        preview.setValue(c.moveTo);
        ASSERT_TRUE(press(sheet, "button1"));
        EXPECT_EQ(setting(kWindowQualitySetting), c.written);
        EXPECT_EQ(setting(kPreviewQualitySetting), c.written);
    }
}

TEST(GeneralPage, EveryCheckBoxIsBoundAndTheClipboardFlagIsNotOffered)
{
    // The clipboard always lives in a file on disk: a switch for it would do nothing.
    OptionsSheet sheet(nullptr);
    QWidget* general = sheet.pages()->widget(OptionsSheet::General);
    QStringList boxes;
    for (const QCheckBox* box : general->findChildren<QCheckBox*>())
        boxes << box->objectName();
    EXPECT_EQ(boxes, QStringList({ "doubleClickMarksAll", "activateUndo" }));
    ASSERT_TRUE(press(sheet, "button1"));
    EXPECT_EQ(setting("Kestrix\\Settings\\Boolean\\ClipboardOnDisk"), "(none)");
}

/// A frame with one 8-bit mono document of 2000 bytes.
struct FrameWithDocument {
    TempDir dir;
    FrameWindow frame;
    FrameWithDocument()
    {
        const std::string path = dir.file("sound.wav");
        writeFile(path, riff({ chunk("fmt ", fmtBody(1, 22050, 8)), chunk("data", ramp(2000)) }));
        frame.show();
        EXPECT_TRUE(openAndWait(frame, path));
    }
    MarkRecord mark()
    {
        std::shared_lock lock(frame.activeWaveWindow()->document()->lock);
        return frame.activeWaveWindow()->document()->document.mark;
    }
};

TEST(WaveView, DoubleClickMarksTheWholeFileWhenTheOptionSaysSo)
{
    FrameWithDocument f;
    ASSERT_TRUE(f.frame.activeWaveWindow());
    QWidget* viewport = f.frame.activeWaveWindow()->view()->viewport();
    for (const char* on : { "1", "0" }) {
        SCOPED_TRACE(on);
        RegWriteString(kDoubleClickMarksAllSetting, on);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(40, 40));
        EXPECT_EQ(f.mark().markLength, std::string(on) == "1" ? 2000u : 0u);
    }
    RegWriteString(kDoubleClickMarksAllSetting, "1");
}

TEST(OperationThreads, ThreadSpeedSetsTheNiceLevelOfOperations)
{
    FrameWindow frame;
    for (const auto& [speed, nice] : { std::pair { "1", 19 }, std::pair { "3", 5 } }) {
        RegWriteString(kThreadSpeedSetting, speed);
        std::atomic<int> seen = -100;
        ASSERT_TRUE(frame.operations().start(
            [&](HWND frameHandle) -> int32_t {
                seen = ::getpriority(PRIO_PROCESS, ::gettid());
                OperationContext::announceEnd(frameHandle);
                return 1;
            },
            frame.handle(), OpReverse, nullptr));
        ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
        EXPECT_EQ(seen, nice) << speed;
    }
    RegWriteString(kThreadSpeedSetting, "3");
}

} // namespace
