#include "CommandIds.h"
#include "FrameWindow.h"
#include "HelpWindow.h"
#include "OpenAndWait.h"
#include "StatusBar.h"
#include "TempDir.h"
#include "WavBuilder.h"
#include "WaveWindow.h"
#include "dialogs/ModalDialogs.h"
#include "dialogs/OptionsSheet.h"
#include "exports/WindowRequests.h"
#include "paneldraw/settings.h"

#include <QDialog>
#include <QDir>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace kx;
using namespace kx::test;

QString shownPage(const FrameWindow& frame)
{
    const auto* help = frame.findChild<HelpWindow*>();
    return help ? help->browser()->source().fileName() : QString();
}

void setHelpActive(bool active)
{
    RegWriteString("Kestrix\\Settings\\Boolean\\HelpWinActive", active ? "1" : "0");
}

TEST(HelpPages, EveryLinkLeadsToAPageAndEveryPageIsReachedFromTheContents)
{
    const QDir dir(QStringLiteral(KX_HELP_SOURCE_DIR));
    const QRegularExpression link(QStringLiteral(R"re((?:href|src)="([^"]*)")re"));
    QSet<QString> reached { QStringLiteral("index.html") };
    QStringList queue { QStringLiteral("index.html") };
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        QFile file(dir.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        const QString html = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
            const QString target = match.captured(1).section(QLatin1Char('#'), 0, 0);
            if (target.startsWith(QLatin1String("http")) || target.isEmpty())
                continue;
            EXPECT_TRUE(dir.exists(target)) << page.toStdString() << " links to missing " << target.toStdString();
            if (dir.exists(target) && target.contains(QLatin1String(".htm")) && !reached.contains(target)) {
                reached.insert(target);
                queue.append(target);
            }
        }
    }
    for (const QString& page : dir.entryList({ QStringLiteral("*.htm"), QStringLiteral("*.html") }))
        EXPECT_TRUE(reached.contains(page)) << page.toStdString() << " is not reached from the contents";
    // The pages the program itself asks for.
    for (const char* topic :
        { "volume.htm", "recsetup.htm", "recording.htm", "copyright.htm", "newfile.htm", "usehelp.htm", "menus.htm" })
        EXPECT_TRUE(reached.contains(QLatin1String(topic))) << topic;
}

TEST(HelpWindow, TopicsShowOnlyWhileTheHelpWindowIsOnAndComeFromTheInstallation)
{
    setHelpActive(false);
    FrameWindow frame;
    EXPECT_FALSE(frame.helpShown());
    EXPECT_EQ(SendMessage(frame.handle(), MsgGetHelpWindow, 0, 0), 0);
    EXPECT_EQ(ShowHelpTopic(frame.handle(), "volume.htm"), 0);
    EXPECT_EQ(frame.findChild<HelpWindow*>(), nullptr);

    frame.runCommand(CmdHelpWindow);
    ASSERT_TRUE(frame.helpShown());
    EXPECT_TRUE(RegGetBool("Kestrix\\Settings\\Boolean\\HelpWinActive", 0));
    EXPECT_EQ(shownPage(frame), "index.html");
    EXPECT_EQ(frame.findChild<HelpWindow*>()->title(), "Kestrix2000 Help System");
    const auto help = reinterpret_cast<HWND>(SendMessage(frame.handle(), MsgGetHelpWindow, 0, 0));
    SendMessage(help, MsgSetHelpTitle, reinterpret_cast<uintptr_t>("Recording"), 0);
    EXPECT_EQ(frame.findChild<HelpWindow*>()->title(), "Recording");
    EXPECT_EQ(ShowHelpTopic(frame.handle(), "volume.htm"), 1);
    EXPECT_EQ(shownPage(frame), "volume.htm");
    // Asked from a wave window, the topic goes to that window's frame.
    frame.runCommand(CmdNew);
    EXPECT_EQ(ShowHelpTopic(frame.activeWaveWindow()->handle(), "recording.htm"), 1);
    EXPECT_EQ(shownPage(frame), "recording.htm");
    // The Volume dialog brings its page along.
    ModalDialogs::setDriver([](QDialog&) { return int(QDialog::Rejected); });
    frame.runCommand(CmdVolume);
    ModalDialogs::setDriver({});
    EXPECT_EQ(shownPage(frame), "volume.htm");
    // Only pages of the help: nothing beside or outside it.
    EXPECT_EQ(ShowHelpTopic(frame.handle(), "../../../etc/passwd"), 0);
    EXPECT_EQ(ShowHelpTopic(frame.handle(), "nosuchpage.htm"), 0);
    EXPECT_EQ(shownPage(frame), "volume.htm");

    frame.runCommand(CmdUseMenus);
    EXPECT_EQ(shownPage(frame), "menus.htm");
    frame.runCommand(CmdHelpContents);
    EXPECT_FALSE(frame.helpShown());
    EXPECT_FALSE(RegGetBool("Kestrix\\Settings\\Boolean\\HelpWinActive", 1));
    EXPECT_EQ(ShowHelpTopic(frame.handle(), "volume.htm"), 0);
    frame.activeWaveWindow()->closeWithoutAsking();
}

TEST(HelpWindow, TogglingGivesTheWaveWindowsTheRoomLeftAndChecksTheWindowMenu)
{
    setHelpActive(true);
    FrameWindow frame;
    frame.resize(900, 640);
    frame.show();
    ASSERT_TRUE(frame.helpShown()); // the stored state shows it at start
    QSignalSpy shown(&frame, &FrameWindow::helpShownChanged);
    const int width = frame.centralWidget()->width();
    EXPECT_EQ(frame.mdiArea()->geometry().width(), width - 350);
    EXPECT_EQ(frame.findChild<HelpWindow*>()->geometry(), frame.currentLayout().helpWindow);
    EXPECT_EQ(frame.findChild<HelpWindow*>()->geometry().left(), width - 300);

    QAction* item = nullptr;
    for (QMenu* menu : frame.findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            if (action->data().toInt() == CmdHelpWindow)
                item = action;
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isChecked());

    frame.runCommand(CmdHelpWindow);
    EXPECT_EQ(frame.mdiArea()->geometry(), QRect(50, 46, width - 50, frame.currentLayout().mdiClient.height()));
    EXPECT_EQ(frame.findChild<HelpWindow*>(), nullptr);
    EXPECT_FALSE(item->isChecked());
    ASSERT_EQ(shown.size(), 1);
    EXPECT_FALSE(shown.at(0).at(0).toBool());

    frame.runCommand(CmdHelpWindow);
    EXPECT_EQ(frame.mdiArea()->geometry().width(), width - 350);
    EXPECT_TRUE(item->isChecked());
    // Turned on in a shown frame, the contents open at their top.
    EXPECT_EQ(frame.findChild<HelpWindow*>()->browser()->verticalScrollBar()->value(), 0);

    // The frame with a document and the help: the header's picture is there.
    TempDir dir;
    Bytes samples;
    for (int i = 0; i < 44100; ++i) {
        put16(samples, uint16_t(int16_t(12000 * std::sin(i * 0.02) * std::sin(i * 0.0003))));
        put16(samples, uint16_t(int16_t(9000 * std::sin(i * 0.05) * std::cos(i * 0.0002))));
    }
    writeFile(dir.file("Tune.wav"), riff({ chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", samples) }));
    EXPECT_TRUE(openAndWait(frame, dir.file("Tune.wav")));
    ASSERT_NE(frame.activeWaveWindow(), nullptr);
    frame.activeWaveWindow()->showMaximized();
    QCoreApplication::processEvents();
    const QImage shot = frame.grab().toImage();
    if (const char* out = std::getenv("KX_SCREENSHOT_DIR"))
        shot.save(QString::fromLocal8Bit(out) + QStringLiteral("/help.png"));
    const QPoint header = frame.findChild<HelpWindow*>()->mapTo(&frame, QPoint(0, 0));
    int badge = 0;
    for (int y = 3; y < 27; ++y)
        for (int x = 2; x < 98; ++x)
            badge += (shot.pixel(header + QPoint(x, y)) & 0xFFFFFF) == 0x1E5BB8;
    EXPECT_GT(badge, 40);
    frame.activeWaveWindow()->closeWithoutAsking();
}

TEST(MenuText, StatusBarShowsTheStringTableLineUpToTheCarriageReturn)
{
    setHelpActive(false);
    FrameWindow frame;
    const auto status = reinterpret_cast<HWND>(SendMessage(frame.handle(), MsgGetStatusBar, 0, 0));
    auto* bar = frame.findChild<StatusBar*>();
    const struct {
        uint32_t id;
        const char* text;
    } cases[] = {
        { CmdNew, "Creates a new wavefile in a new window" },
        { 800, "Activate this window" },
        { 898, "Activate this window" },
        { 4711, "4711 - not yet implemented -" },
    };
    for (const auto& c : cases) {
        EXPECT_NE(ShowMenuText(status, c.id), 0);
        EXPECT_EQ(bar->menuText(), c.text) << c.id;
    }
}

TEST(About, CopyrightButtonShowsItsPageInTheHelpWindowOrSaysHowToGetIt)
{
    for (const bool active : { false, true }) {
        setHelpActive(active);
        FrameWindow frame;
        bool enabled = false;
        ModalDialogs::setDriver([&](QDialog& dialog) {
            auto* button = dialog.findChild<QPushButton*>(QStringLiteral("button102"));
            enabled = button && button->isEnabled();
            if (enabled)
                button->click();
            return int(QDialog::Accepted);
        });
        frame.runCommand(CmdAbout);
        ModalDialogs::setDriver({});
        EXPECT_EQ(enabled, active);
        EXPECT_EQ(shownPage(frame), active ? "copyright.htm" : "");
    }
}

TEST(HelpTopics, ZoomDialogsHelpButtonAndTheNewFilesTabShowTheirPages)
{
    setHelpActive(true);
    FrameWindow frame;
    frame.runCommand(CmdNew);
    ModalDialogs::setDriver([](QDialog& dialog) {
        if (auto* help = dialog.findChild<QPushButton*>(QStringLiteral("button9")))
            help->click();
        return int(QDialog::Rejected);
    });
    frame.runCommand(CmdZoomBy);
    ModalDialogs::setDriver({});
    EXPECT_EQ(shownPage(frame), "zoom.htm");
    OptionsSheet sheet(&frame, OptionsSheet::Startup);
    EXPECT_EQ(shownPage(frame), "zoom.htm");
    sheet.pages()->setCurrentIndex(OptionsSheet::NewFiles);
    EXPECT_EQ(shownPage(frame), "newfile.htm");
    frame.activeWaveWindow()->closeWithoutAsking();
}

} // namespace
