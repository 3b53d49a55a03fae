#include "PlayerWindow.h"
#include "AboutBox.h"
#include "BoardButton.h"
#include "BoardView.h"
#include "FileDrops.h"
#include "PageTabs.h"
#include "PlayerCommands.h"
#include "PlayerPrompts.h"
#include "RenameDialog.h"
#include "SessionRestart.h"
#include "StatusParts.h"
#include "TempDir.h"
#include "WavBuilder.h"
#include "board/BoardFile.h"
#include "devices/SoundPlayer.h"
#include "devices/TestDevice.h"

#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

namespace kx::padplay {
namespace {

    using namespace kx::test;

    /// Answers every question with the next scripted button and remembers what was said.
    class ScriptedPrompts : public PlayerPrompts {
    public:
        QMessageBox::StandardButton ask(QWidget*, QMessageBox::Icon, const QString& caption, const QString& text,
            QMessageBox::StandardButtons) override
        {
            said << caption + QLatin1Char('|') + text;
            return answers.isEmpty() ? QMessageBox::Cancel : answers.takeFirst();
        }
        void tell(QWidget*, QMessageBox::Icon, const QString& caption, const QString& text) override
        {
            said << caption + QLatin1Char('|') + text;
        }
        QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return fileName; }
        QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return fileName; }
        std::optional<QString> pageName(QWidget*, int, const QString&) override { return newPageName; }

        QList<QMessageBox::StandardButton> answers;
        QStringList said;
        QString fileName;
        QString newPageName;
    };

    class PlayerWindowTest : public testing::Test {
    protected:
        std::string writeSound(const std::string& name, std::size_t bytes = 2000)
        {
            const std::string path = dir.file(name);
            writeFile(path, riff({ chunk("fmt ", fmtBody(1, 11025, 8)), chunk("data", ramp(bytes)) }));
            return path;
        }

        TempDir dir;
        std::shared_ptr<TestDevice> device = TestDevice::create();
        SoundPlayer sounds { device->factory() };
        ScriptedPrompts prompts;
        PlayerWindow window { sounds, prompts };
    };

    TEST(PageTabs, PointsSelectTheTabBelowItsSlantedTopEdge)
    {
        const struct {
            QPoint point;
            int page;
        } cases[] = {
            { { 4 + 150 + 30, 36 }, 2 }, // page 3's top row is 36
            { { 4 + 150 + 30, 35 }, -1 },
            { { 4 + 525 + 30, 36 }, -1 }, // page 8's top row is 41
            { { 4 + 525 + 30, 42 }, 7 },
            { { 4 + 75, 50 }, -1 }, // a tab's left edge is outside it
            { { 4 + 73, 50 }, -1 }, // so is its right edge
            { { 40, 59 }, 0 },
            { { 40, 60 }, -1 },
        };
        for (const auto& c : cases)
            EXPECT_EQ(pageTabAt(c.point), c.page) << c.point.x() << "," << c.point.y();
    }

    TEST_F(PlayerWindowTest, ControlDigitsAndTabClicksShowPagesAndTheRegisterMenuChecksThem)
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        for (int page = 1; page <= 8; ++page) {
            QTest::keyClick(&window, Qt::Key(Qt::Key_0 + page), Qt::ControlModifier);
            EXPECT_EQ(window.board().currentPage, page - 1);
        }
        QTest::keyClick(&window, Qt::Key_3, Qt::ControlModifier);
        emit window.registerMenu()->aboutToShow();
        EXPECT_TRUE(window.action(CmdFirstPage + 2)->isChecked());
        EXPECT_FALSE(window.action(CmdFirstPage)->isChecked());
        EXPECT_EQ(window.action(CmdFirstPage + 2)->text(), QStringLiteral("&3  Page -3-"));

        QTest::mouseClick(window.view(), Qt::LeftButton, {}, QPoint(4 + 75 * 6 + 30, 45));
        EXPECT_EQ(window.board().currentPage, 6);
    }

    TEST_F(PlayerWindowTest, DeleteModeEmptiesTheButtonAndPlaysNothing)
    {
        window.placeFiles(0, { QString::fromStdString(writeSound("a.wav")) });
        window.action(CmdDeleteMode)->trigger();
        QTest::mouseClick(window.button(1), Qt::LeftButton);
        EXPECT_EQ(window.board().slot(0, 1), "");
        EXPECT_EQ(window.button(1)->text(), QString());
        EXPECT_FALSE(device->hasOpenOutput());
        EXPECT_FALSE(window.board().saved);
    }

    TEST_F(PlayerWindowTest, PressedButtonShowsItsFileAndPlaysOrSaysWhyNot)
    {
        const std::string sound = writeSound("ring.wav", 11025);
        writeFile(dir.file("notes.wav"), Bytes(100, 'x'));
        window.placeFiles(0,
            { QString::fromStdString(sound), QString::fromStdString(dir.file("notes.wav")),
                QString::fromStdString(dir.file("gone.wav")) });
        EXPECT_EQ(window.button(1)->face(), BoardButton::Face::Sound);
        EXPECT_EQ(window.button(3)->face(), BoardButton::Face::Missing);
        EXPECT_EQ(window.button(3)->text(), QStringLiteral("gone.wav"));

        window.action(CmdRepeatMode)->trigger();
        QTest::mouseClick(window.button(1), Qt::LeftButton);
        EXPECT_EQ(window.status()->text(1), QStringLiteral("00 m 01.000 s"));
        EXPECT_EQ(window.status()->text(2), QStringLiteral("8 Bit, Mono"));
        device->advance(11025 * 3);
        EXPECT_TRUE(sounds.isPlaying()) << "Repeat loops the sound";
        window.runCommand(CmdStop);
        EXPECT_FALSE(sounds.isPlaying());

        QTest::mouseClick(window.button(3), Qt::LeftButton);
        EXPECT_EQ(window.status()->text(0),
            QStringLiteral("Sound file not found: ") + QString::fromStdString(dir.file("gone.wav")));
        QTest::mouseClick(window.button(2), Qt::LeftButton);
        EXPECT_TRUE(window.status()->text(0).endsWith(QString::fromStdString(dir.file("notes.wav"))));
        EXPECT_NE(window.status()->text(0).size(), qsizetype(dir.file("notes.wav").size())) << "the reason is given";
    }

    TEST_F(PlayerWindowTest, ADroppedNameThatIsNotUtf8IsKeptSavedLoadedAndPlayed)
    {
        const std::string sound = writeSound("ring\xff\xfe.wav");
        QMimeData drop;
        drop.setData(QStringLiteral("text/uri-list"),
            "file://" + QByteArray::fromStdString(sound).toPercentEncoding("/") + "\r\n");
        const QList<QByteArray> files = droppedFiles(&drop);
        ASSERT_EQ(files.size(), 1);
        EXPECT_EQ(files[0].toStdString(), sound);
        window.placeFiles(0, files);
        EXPECT_EQ(window.board().slot(0, 1), sound);

        board::Board saved = window.board();
        ASSERT_EQ(board::saveBoard(saved, dir.file("bytes.SPL")), board::BoardFileStatus::Ok);
        ASSERT_TRUE(window.openBoard(QString::fromStdString(dir.file("bytes.SPL"))));
        EXPECT_EQ(window.board().slot(0, 1), sound);
        QTest::mouseClick(window.button(1), Qt::LeftButton);
        EXPECT_TRUE(sounds.isPlaying()) << window.status()->text(0).toStdString();
    }

    TEST_F(PlayerWindowTest, ADroppedPathOverTheLimitIsToldAndLeavesTheBoardSaved)
    {
        window.placeFiles(3, QList<QByteArray> { "/" + QByteArray(300, 'p') });
        EXPECT_EQ(window.board().slot(0, 3), "");
        EXPECT_TRUE(window.board().saved);
        EXPECT_EQ(window.status()->text(0), QStringLiteral("The path is longer than 255 characters."));
    }

    TEST_F(PlayerWindowTest, DropOnButtonFortyAsksAndFillsTheNextPageWhileThisOneStays)
    {
        QStringList files;
        for (int i = 1; i <= 10; ++i)
            files << QStringLiteral("/s/%1.wav").arg(i);
        prompts.answers = { QMessageBox::Yes };
        window.placeFiles(40, files);
        ASSERT_EQ(prompts.said.size(), 1);
        EXPECT_EQ(prompts.said[0],
            QStringLiteral("Too many files|There are too many files dropped.\nNot all will fit "
                           "on this page.\nShall I put them on another page(s)?"));
        EXPECT_EQ(window.button(44)->text(), QStringLiteral("5.wav"));
        EXPECT_EQ(window.board().slot(1, 5), "/s/10.wav");
        EXPECT_EQ(window.board().currentPage, 0);
    }

    TEST_F(PlayerWindowTest, NotABoardKeepsTheOpenOneAndCancelledExitKeepsTheWindowWithoutRestart)
    {
        window.placeFiles(0, { QStringLiteral("/s/1.wav") });
        writeFile(dir.file("junk.SPL"), Bytes(5000, 0));
        EXPECT_FALSE(window.openBoard(QString::fromStdString(dir.file("junk.SPL"))));
        EXPECT_EQ(prompts.said.value(0), QStringLiteral("Warning...|File is not a Tonedeck file."));
        EXPECT_EQ(window.board().slot(0, 1), "/s/1.wav");
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Unnamed - Tonedeck"));

        window.show();
        ASSERT_TRUE(window.restart().isArmed());
        prompts.answers = { QMessageBox::Cancel };
        window.runCommand(CmdExit);
        EXPECT_EQ(prompts.said.value(1), QStringLiteral("Attention|Unnamed has not been saved yet.\nSave now?"));
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.restart().isArmed());
        EXPECT_TRUE(window.restart().restartCommand().isEmpty());
    }

    TEST_F(PlayerWindowTest, SavedBoardReopensFromAQuotedCommandLineAndIsTheRestartBoard)
    {
        window.placeFiles(0, { QStringLiteral("/s/1.wav") });
        prompts.fileName = QString::fromStdString(dir.file("my board"));
        window.runCommand(CmdSave);
        const QString saved = QString::fromStdString(dir.file("my board.SPL"));
        EXPECT_EQ(window.windowTitle(), QStringLiteral("my board.SPL - Tonedeck"));
        EXPECT_EQ(window.restart().restartCommand().value(1), saved);

        ScriptedPrompts otherPrompts;
        PlayerWindow other(sounds, otherPrompts);
        const QString named = boardFromArguments({ QStringLiteral("padplay"),
            QLatin1Char('"') + saved.section(' ', 0, 0), saved.section(' ', 1) + QLatin1Char('"') });
        ASSERT_TRUE(other.openBoard(named));
        EXPECT_EQ(other.windowTitle(), QStringLiteral("my board.SPL - Tonedeck"));
        EXPECT_EQ(other.button(1)->text(), QStringLiteral("1.wav"));
    }

    TEST_F(PlayerWindowTest, SeveralFilesFromAFileManagerLandOnTheButtonTheyAreDroppedOn)
    {
        QMimeData data;
        data.setUrls({ QUrl::fromLocalFile(QStringLiteral("/s/one.wav")), QUrl(QStringLiteral("https://x/two.wav")),
            QUrl::fromLocalFile(QStringLiteral("/s/three.wav")) });
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window.button(43), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window.button(43), &drop);
        QCoreApplication::processEvents();
        EXPECT_EQ(window.board().slot(0, 43), "/s/one.wav");
        EXPECT_EQ(window.board().slot(0, 44), "/s/three.wav");
        EXPECT_TRUE(prompts.said.isEmpty()) << "two local files fit from button 43";
    }

    // KX_SCREENSHOT_DIR names a directory for the picture of a filled page.
    TEST_F(PlayerWindowTest, FilledPageScreenshot)
    {
        const char* names[] = { "Applause", "Drum roll", "Fanfare", "Door bell", "Thunder", "Laughter", "Rimshot",
            "Gong", "Crowd cheer", "Whistle", "Countdown", "Jingle", "Boo", "Sad trombone", "Cash register", "Car horn",
            "Bird song", "Rain", "Clock tick", "Typewriter" };
        QStringList files;
        for (const char* name : names)
            files << QString::fromStdString(writeSound(std::string(name) + ".wav"));
        files << QStringLiteral("/missing/Intro music.wav");
        window.placeFiles(0, files);
        prompts.newPageName = QStringLiteral("Show night");
        window.runCommand(CmdRenamePage);
        window.show();
        window.button(1)->setFocus();
        window.runCommand(CmdFirstButton);
        const QImage shot = window.grab().toImage();
        EXPECT_EQ(shot.width(), BoardView::kWidth);
        if (const char* out = std::getenv("KX_SCREENSHOT_DIR")) {
            shot.save(QString::fromLocal8Bit(out) + QStringLiteral("/padplay.png"));
            AboutBox about(&window);
            about.grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/padplay-about.png"));
            RenameDialog rename(0, QStringLiteral("Show night"), &window);
            rename.grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/padplay-rename.png"));
        }
    }

} // namespace
} // namespace kx::padplay
