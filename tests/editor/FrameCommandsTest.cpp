// The frame's menus, accelerators, window commands and bars as the user meets them.
#include "Accelerators.h"
#include "CommandIds.h"
#include "FrameWindow.h"
#include "FunctionBar.h"
#include "IconBar.h"
#include "OpenAndWait.h"
#include "StatusBar.h"
#include "StatusBoxes.h"
#include "TempDir.h"
#include "WaitFor.h"
#include "WavBuilder.h"
#include "WaveView.h"
#include "WaveWindow.h"
#include "dialogs/ModalDialogs.h"
#include "documents/SharedDocument.h"
#include "exports/WindowRequests.h"
#include "paneldraw/drawing.h"
#include "paneldraw/settings.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QUrl>
#include <gtest/gtest.h>

#include <mutex>

namespace {

using namespace kx;
using namespace kx::test;

/// Every command item of the frame's menu bar, searched through the sub-menus.
QList<QAction*> menuItems(QMenuBar* bar)
{
    QList<QAction*> items;
    std::function<void(QMenu*)> collect = [&](QMenu* menu) {
        emit menu->aboutToShow();
        for (QAction* action : menu->actions()) {
            if (action->menu())
                collect(action->menu());
            else if (action->data().isValid())
                items.append(action);
        }
    };
    for (QAction* title : bar->actions())
        collect(title->menu());
    return items;
}

QAction* menuItem(QMenuBar* bar, int id)
{
    for (QAction* action : menuItems(bar))
        if (action->data().toInt() == id)
            return action;
    return nullptr;
}

QMenu* subMenu(QMenuBar* bar, const QString& title, const QString& subTitle)
{
    for (QAction* top : bar->actions()) {
        if (top->text() != title)
            continue;
        for (QAction* action : top->menu()->actions())
            if (action->menu() && action->text() == subTitle)
                return action->menu();
    }
    return nullptr;
}

/// Counts the paints a widget gets.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

/// Ends each modal dialog at once, recording its title.
struct DialogTitles {
    std::vector<QString> titles;
    DialogTitles()
    {
        ModalDialogs::setDriver([this](QDialog& dialog) {
            titles.push_back(dialog.windowTitle());
            return 0;
        });
    }
    ~DialogTitles() { ModalDialogs::setDriver({}); }
};

std::string writeTone(const TempDir& dir, const char* name, std::size_t bytes = 4000)
{
    const std::string path = dir.file(name);
    writeFile(path, riff({ chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", ramp(bytes)) }));
    return path;
}

/// A shown frame of the usual size; the windows left open close without asking at the end.
class ShownFrame : public testing::Test {
protected:
    ShownFrame()
    {
        frame.resize(900, 700);
        frame.show();
    }
    ~ShownFrame() override
    {
        for (WaveWindow* wave : frame.waveWindows())
            wave->closeWithoutAsking();
    }
    /// Opens `count` new empty documents and returns every window.
    QList<WaveWindow*> newDocuments(int count)
    {
        for (int i = 0; i < count; ++i)
            frame.runCommand(CmdNew);
        return frame.waveWindows();
    }

    FrameWindow frame;
};
using FrameMenus = ShownFrame;
using FrameCommands = ShownFrame;
using FrameMessages = ShownFrame;
using FrameWindows = ShownFrame;
using StatusBarBoxes = ShownFrame;

TEST_F(FrameMenus, EveryAcceleratorShowsInItsMenuEntry)
{
    frame.runCommand(CmdNew); // the document menu holds every command item
    const QList<QAction*> items = menuItems(frame.menuBar());
    int shown = 0;
    for (const Accelerator& accelerator : accelerators()) {
        for (QAction* action : items) {
            if (action->data().toInt() != accelerator.id)
                continue;
            const QString hint = acceleratorText(accelerator.id);
            EXPECT_TRUE(action->text().endsWith(QLatin1Char('\t') + hint)) << action->text().toStdString();
            ++shown;
        }
    }
    EXPECT_GE(shown, 19); // all but the two volume keys, which have no menu entry
    EXPECT_EQ(menuItem(frame.menuBar(), CmdOpen)->text(), "&Open...\tCtrl + O");
    EXPECT_EQ(menuItem(frame.menuBar(), CmdCrop)->text(), "C&rop\tShift + Del");
    EXPECT_EQ(menuItem(frame.menuBar(), CmdMix)->text(), "&Mix\tCtrl + Shift + Ins");
    EXPECT_EQ(menuItem(frame.menuBar(), CmdUndo)->text(), "&Undo not possible\tCtrl + Z");
}

TEST_F(FrameMenus, EveryCommandOfTheMenusAndBarsIsAnsweredOrDisabledWithAReason)
{
    QList<QAction*> actions = menuItems(frame.menuBar()); // the start menu
    frame.runCommand(CmdNew);
    actions += menuItems(frame.menuBar());
    actions += frame.iconBar()->findChildren<QAction*>();
    actions += frame.functionBar()->findChildren<QAction*>();
    for (QAction* action : actions) {
        if (!action->data().isValid())
            continue;
        const int id = action->data().toInt();
        SCOPED_TRACE(action->text().toStdString() + " " + std::to_string(id));
        if (action->isEnabled())
            EXPECT_TRUE(frame.handlesCommand(id));
        else
            EXPECT_FALSE(action->toolTip().isEmpty() && action->statusTip().isEmpty());
    }
}

TEST_F(FrameMenus, RecentFilesFillBothMenus)
{
    RegWriteString("Kestrix\\RecentFiles\\NumberOfFiles", "10");
    for (int i = 3; i <= 10; ++i)
        RegWriteString(("Kestrix\\RecentFiles\\File" + std::to_string(i)).c_str(), "");
    RegWriteString("Kestrix\\RecentFiles\\File1", "/music/one.wav");
    RegWriteString("Kestrix\\RecentFiles\\File2", "/music/two.wav");
    for (bool withDocument : { false, true }) {
        if (withDocument)
            frame.runCommand(CmdNew);
        QMenu* recent = subMenu(frame.menuBar(), "&File", "&Recent Files");
        ASSERT_NE(recent, nullptr);
        emit recent->aboutToShow();
        QStringList texts;
        for (QAction* action : recent->actions())
            texts << action->text();
        EXPECT_EQ(texts, (QStringList { "/music/one.wav", "/music/two.wav" })) << withDocument;
    }
    RegWriteString("Kestrix\\RecentFiles\\File1", "");
    RegWriteString("Kestrix\\RecentFiles\\File2", "");
}

TEST_F(FrameMenus, WindowMenuListsAndActivatesTheOpenWindows)
{
    const QList<WaveWindow*> windows = newDocuments(2);
    ASSERT_EQ(windows.size(), 2);
    ASSERT_EQ(frame.activeWaveWindow(), windows[1]);

    // The list is built as the menu opens.
    QList<QAction*> listed;
    for (QAction* action : menuItems(frame.menuBar()))
        if (action->data().toInt() >= CmdWindowFirst && action->data().toInt() <= CmdWindowLast)
            listed.append(action);
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed[0]->text(), "&1 Unnamed -1-.WAV");
    EXPECT_EQ(listed[1]->text(), "&2 Unnamed -2-.WAV");
    EXPECT_EQ(listed[0]->data().toInt(), CmdWindowFirst);
    EXPECT_TRUE(listed[1]->isChecked());
    listed[0]->trigger();
    EXPECT_EQ(frame.activeWaveWindow(), windows[0]);
}

TEST_F(FrameCommands, MarkAllAndDestroyMark)
{
    TempDir dir;
    EXPECT_TRUE(openAndWait(frame, writeTone(dir, "tone.wav")));
    WaveWindow* wave = frame.activeWaveWindow();
    ASSERT_NE(wave, nullptr);
    const MarkRecord& mark = wave->document()->document.mark;
    PaintCounter counter;
    wave->view()->viewport()->installEventFilter(&counter);

    frame.runCommand(CmdMarkAll);
    EXPECT_EQ(mark.markStart, 0u);
    EXPECT_EQ(mark.markLength, 4000u);
    QApplication::processEvents();
    EXPECT_GT(counter.paints, 0);

    wave->document()->document.mark.markStart = 400;
    frame.runCommand(CmdDestroyMark);
    EXPECT_EQ(mark.markStart, 0u);
    EXPECT_EQ(mark.markLength, 0u);

    // An empty document keeps its cursor.
    frame.runCommand(CmdNew);
    WaveDocument& empty = frame.activeWaveWindow()->document()->document;
    frame.runCommand(CmdMarkAll);
    EXPECT_EQ(empty.mark.markLength, 0u);
}

TEST_F(FrameCommands, ArrangeSymbolsRowsTheMinimizedWindowsAlongTheBottom)
{
    // Room for the three in one row: the help window takes 300 pixels of the width.
    if (frame.helpShown())
        frame.runCommand(CmdHelpWindow);
    const QList<WaveWindow*> windows = newDocuments(3);
    for (WaveWindow* wave : windows)
        wave->showMinimized();
    windows[0]->move(300, 40);
    windows[1]->move(10, 10);
    frame.runCommand(CmdArrangeSymbols);
    const QRect area = frame.mdiArea()->viewport()->rect();
    int x = 0;
    for (WaveWindow* wave : windows) {
        EXPECT_EQ(wave->geometry().bottom(), area.bottom());
        EXPECT_EQ(wave->x(), x);
        x += wave->width();
    }
}

TEST_F(FrameCommands, RebuildPreviewRepaintsThePreviewBar)
{
    QApplication::processEvents();
    QWidget* preview = frame.findChild<QWidget*>(QStringLiteral("Preview"));
    ASSERT_NE(preview, nullptr);
    PaintCounter counter;
    preview->installEventFilter(&counter);
    frame.runCommand(CmdRebuildPreview);
    QApplication::processEvents();
    EXPECT_GT(counter.paints, 0);
}

struct UrlCatcher : QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

TEST_F(FrameCommands, HomepageOpensInTheBrowser)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    frame.runCommand(CmdHomepage);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_TRUE(catcher.urls[0].isValid());
}

TEST_F(FrameCommands, AboutAndOptionsOpenTheirDialogs)
{
    DialogTitles dialogs;
    frame.runCommand(CmdAbout);
    frame.runCommand(CmdOptions);
    EXPECT_EQ(dialogs.titles, (std::vector<QString> { "About Kestrix2000", "Kestrix2000 Options" }));
}

TEST_F(FrameMessages, OpenFileFromSettingAndPreviewHeight)
{
    TempDir dir;
    const std::string path = writeTone(dir, "tone.wav");
    RegWriteString("Kestrix\\NewFile\\FileOpen", path.c_str());
    SendMessage(frame.handle(), MsgOpenFileFromSetting, 0, 0);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    ASSERT_EQ(frame.waveWindows().size(), 1);
    EXPECT_EQ(frame.activeWaveWindow()->document()->document.header.dataSize, 4000u);
    frame.activeWaveWindow()->closeWithoutAsking();

    SendMessage(frame.handle(), MsgPreviewHeight, 60, 0);
    EXPECT_EQ(RegGetDWord("Kestrix\\Settings\\PreviewSize", 0), 60);
    EXPECT_EQ(frame.currentLayout().previewBar.height(), 60);
    EXPECT_EQ(frame.mdiArea()->geometry(), frame.currentLayout().mdiClient);
    RegWriteString("Kestrix\\Settings\\PreviewSize", "100");
}

TEST_F(FrameWindows, NewWindowsLieInsideTheAreaAndCascadeKeepsTheirSize)
{
    newDocuments(4);
    QApplication::processEvents();
    const QRect area = frame.mdiArea()->viewport()->rect();
    const QSize usual(area.width() * 2 / 3, area.height() * 2 / 3);
    for (WaveWindow* wave : frame.waveWindows()) {
        EXPECT_TRUE(area.contains(wave->geometry())) << wave->windowTitle().toStdString();
        EXPECT_EQ(wave->size(), usual);
    }
    frame.runCommand(CmdCascade);
    for (WaveWindow* wave : frame.waveWindows())
        EXPECT_EQ(wave->size(), usual);
}

TEST(StatusBoxLayout, GrowsToTheTexts)
{
    // A 100 MB file: "103359 KB" is wider than the usual size box.
    const std::array<int, 4> usual { 30, 40, 60, 60 };
    const auto boxes = statusBoxes(800, 22, usual);
    EXPECT_EQ(boxes[0].left, 800 - 130);
    EXPECT_EQ(boxes[0].right, 800 - 77);
    EXPECT_EQ(boxes[3].left, 800 - 350);
    EXPECT_EQ(statusNameRight(boxes), 800 - 356);

    const std::array<int, 4> wide { 70, 40, 60, 60 };
    const auto grown = statusBoxes(800, 22, wide);
    EXPECT_GE(grown[0].text.width(), 71);
    EXPECT_EQ(grown[0].right, 800 - 77);
    for (std::size_t i = 1; i < grown.size(); ++i)
        EXPECT_LT(grown[i].right, grown[i - 1].left);
}

/// True when `image` holds `text` drawn whole, as the status bar draws its box texts.
bool showsWholeText(const QImage& image, const QString& text, const QFont& font, const QPalette& palette)
{
    const QColor face = palette.color(QPalette::Button);
    QImage sample(image.width(), image.height(), QImage::Format_RGB32);
    sample.fill(face);
    {
        QPainter painter(&sample);
        painter.setFont(font);
        painter.setPen(palette.color(QPalette::ButtonText));
        painter.drawText(QRect(QPoint(3, 5), QPoint(image.width() - 1, image.height() - 2)),
            Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text);
    }
    QRect glyphs;
    for (int y = 0; y < sample.height(); ++y)
        for (int x = 0; x < sample.width(); ++x)
            if (sample.pixel(x, y) != face.rgb())
                glyphs |= QRect(x, y, 1, 1);
    if (glyphs.isEmpty())
        return false;
    const QImage wanted = sample.copy(glyphs);
    for (int x = 0; x + glyphs.width() <= image.width(); ++x)
        if (image.copy(QRect(QPoint(x, glyphs.top()), glyphs.size())) == wanted)
            return true;
    return false;
}

TEST_F(StatusBarBoxes, SizeOfALargeFileIsShownWhole)
{
    TempDir dir;
    EXPECT_TRUE(openAndWait(frame, writeTone(dir, "tone.wav")));
    {
        std::unique_lock lock(frame.activeWaveWindow()->document()->lock);
        frame.activeWaveWindow()->document()->document.header.riffSize = 103359u * 1024u;
    }
    auto* status = frame.findChild<StatusBar*>();
    QFont font = status->font();
    if (QFont* stock = ZorGetStockObject(2)) {
        font = *stock;
        ZorDeleteFont(stock);
    }
    const QImage bar = status->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(showsWholeText(bar, QStringLiteral("103359 KB"), font, status->palette()));
    EXPECT_TRUE(showsWholeText(bar, QStringLiteral("44100 Hz"), font, status->palette()));
}

} // namespace

#include "FrameCommandsTest.moc"
