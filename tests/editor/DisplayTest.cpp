// What a real X display shows (run under Xvfb): the pixels on the screen, not a fresh rendering,
// must show each document as it is after every edit, without the user scrolling or clicking.
#include "CommandIds.h"
#include "FrameWindow.h"
#include "FunctionBar.h"
#include "OpenAndWait.h"
#include "TempDir.h"
#include "WaitFor.h"
#include "WavBuilder.h"
#include "WaveView.h"
#include "WaveWindow.h"
#include "clipboard/ClipboardLocation.h"
#include "documents/SharedDocument.h"
#include "exports/MessageBoxes.h"
#include "exports/OperationCodes.h"
#include "exports/WindowRegistry.h"
#include "exports/WindowRequests.h"
#include "paneldraw/settings.h"
#include "wavekit/wavekit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

using namespace kx;
using namespace kx::test;

/// The widget's pixels as the X server holds them.
QImage onScreen(QWidget* widget)
{
    const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
    return widget->screen()
        ->grabWindow(0, origin.x(), origin.y(), widget->width(), widget->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

/// The widget painted afresh from the document as it is now.
QImage rendered(QWidget* widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

/// Lets the event loop run until the screen shows what the view paints now.
bool screenIsCurrent(WaveWindow* wave)
{
    QWidget* viewport = wave->view()->viewport();
    return waitFor([&] { return onScreen(viewport) == rendered(viewport); }, 10000);
}

int pixelsOf(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == colour;
    return count;
}

/// A mono 16-bit swell: loud at the end, quiet at the start, so every edit changes the picture.
std::string writeSwell(const TempDir& dir)
{
    const std::string path = dir.file("swell.wav");
    Bytes samples;
    for (int i = 0; i < 20000; ++i)
        put16(samples, uint16_t(int16_t(30000.0 * i / 20000 * std::sin(i * 0.07))));
    writeFile(path, riff({ chunk("fmt ", fmtBody(1, 22050, 16)), chunk("data", samples) }));
    return path;
}

class Display : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_STRNE(QGuiApplication::platformName().toLatin1().constData(), "offscreen")
            << "this test needs an X display; ctest runs it under xvfb-run";
        ClipboardLocation::setDirectory(m_dir.path().string());
        RegWriteString("Kestrix\\Settings\\StartUp\\Zoom", "0"); // the whole file in the window
        MessageBoxes::setPresenter([](const MessageBoxRequest&) { return QMessageBox::Yes; });
        // Nothing floats over the windows whose pixels on the screen are compared.
        m_frame.functionBar()->hide();
        m_frame.setGeometry(20, 20, 900, 640);
        m_frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_frame));
    }
    void TearDown() override
    {
        MessageBoxes::setPresenter({});
        ClipboardLocation::setDirectory("");
        for (WaveWindow* wave : m_frame.waveWindows())
            wave->closeWithoutAsking();
    }

    bool idle()
    {
        return waitFor([&] { return m_frame.operations().liveThreads() == 0; });
    }

    /// The swell opened in a window of its own, loaded and idle.
    WaveWindow* openSwell()
    {
        EXPECT_TRUE(openAndWait(m_frame, writeSwell(m_dir)));
        WaveWindow* wave = m_frame.activeWaveWindow();
        return wave && idle() ? wave : nullptr;
    }

    TempDir m_dir;
    FrameWindow m_frame;
};

TEST_F(Display, EveryEditReachesTheScreen)
{
    WaveWindow* wave = openSwell();
    ASSERT_NE(wave, nullptr);
    const HWND window = wave->handle();
    ASSERT_TRUE(screenIsCurrent(wave));

    RegWriteString("Kestrix\\Settings\\Filters\\Volume", "40");
    RegWriteString("Kestrix\\Settings\\Filters\\FadeIn", "0");
    const struct {
        const char* name;
        std::function<void()> run;
    } edits[] = {
        // The two filters with dialogs start as their commands do once the dialog said OK.
        { "Volume", [&] { m_frame.operations().start(ChangeVolume, m_frame.handle(), OpVolume, window); } },
        { "Fade In", [&] { m_frame.operations().start(FadeIn, m_frame.handle(), OpFadeIn, window); } },
        { "Reverse", [&] { m_frame.runCommand(CmdReverse); } },
        { "Paste",
            [&] {
                m_frame.runCommand(CmdCopy);
                ASSERT_TRUE(idle());
                m_frame.runCommand(CmdPaste);
            } },
        { "Revert", [&] { m_frame.runCommand(CmdRevert); } },
    };
    for (const auto& edit : edits) {
        const QImage before = onScreen(wave->view()->viewport());
        edit.run();
        ASSERT_TRUE(idle()) << edit.name;
        EXPECT_TRUE(screenIsCurrent(wave)) << edit.name << " left the old waveform on the screen";
        EXPECT_NE(onScreen(wave->view()->viewport()), before) << edit.name;
    }
}

/// Notes that its widget has been painted.
class PaintWatch : public QObject {
public:
    std::atomic<bool> painted { false };

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

TEST_F(Display, AWindowPaintedWhileItsOperationEndsShowsItsTruePeaksOnceItReturns)
{
    WaveWindow* wave = openSwell();
    ASSERT_NE(wave, nullptr);
    const HWND window = wave->handle();
    const auto document = WindowRegistry::document(window);

    // The operation asks for a repaint and is still running when the window paints, as a filter
    // thread is between its invalidate message and its return.
    PaintWatch watch;
    wave->view()->viewport()->installEventFilter(&watch);
    auto repaintsBeforeReturning = [&](HWND) -> int32_t {
        PostMessage(window, MsgInvalidate, 0, 0);
        for (int i = 0; i < 1000 && !watch.painted; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return 1;
    };
    ASSERT_TRUE(m_frame.operations().start(repaintsBeforeReturning, m_frame.handle(), OpVolume, window));
    ASSERT_TRUE(idle());
    wave->view()->viewport()->removeEventFilter(&watch);
    ASSERT_TRUE(watch.painted);

    // Only a paint of the idle document asks for the summary; nothing here repaints the window.
    EXPECT_TRUE(waitFor([&] { return document->peaks.current() != nullptr; }, 10000))
        << "the window kept the picture it painted while the document was busy";
    EXPECT_TRUE(screenIsCurrent(wave));
}

TEST_F(Display, OpenedAndNewWindowsDrawWithoutAClick)
{
    const std::string path = writeSwell(m_dir);
    // File Open and the recent files share the threaded opener.
    RegWriteString("Kestrix\\RecentFiles\\File1", path.c_str());
    m_frame.runCommand(CmdRecentFirst);
    ASSERT_TRUE(idle());
    WaveWindow* opened = m_frame.activeWaveWindow();
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(screenIsCurrent(opened));
    EXPECT_GT(pixelsOf(onScreen(opened->view()->viewport()), 0x000060), 100) << "no waveform on the screen";

    m_frame.runCommand(CmdNew);
    WaveWindow* fresh = m_frame.activeWaveWindow();
    ASSERT_NE(fresh, opened);
    EXPECT_TRUE(screenIsCurrent(fresh));
}

} // namespace
