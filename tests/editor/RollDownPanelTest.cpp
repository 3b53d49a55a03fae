// The roll-down panel: its zoom controls and zoom dialog, the recent-file menu, the clipboard slot
// and dragging the clipboard out of it.
#include "RollDownPanel.h"
#include "CommandIds.h"
#include "FrameWindow.h"
#include "OpenAndWait.h"
#include "TempDir.h"
#include "WaitFor.h"
#include "WavBuilder.h"
#include "WaveView.h"
#include "WaveWindow.h"
#include "clipboard/ClipboardLocation.h"
#include "dialogs/ModalDialogs.h"
#include "documents/SharedDocument.h"
#include "exports/MessageBoxes.h"
#include "paneldraw/settings.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QStorageInfo>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>

namespace {

using namespace kx;
using namespace kx::test;

class RollDown : public testing::Test {
protected:
    void SetUp() override
    {
        ClipboardLocation::setDirectory(m_dir.path().string());
        MessageBoxes::setPresenter([this](const MessageBoxRequest& r) {
            m_boxes.push_back(r.text);
            return QMessageBox::Ok;
        });
        m_frame.resize(900, 600);
        m_frame.show();
        QApplication::processEvents();
        m_panel = m_frame.findChild<RollDownPanel*>(QStringLiteral("SELECTBAR"));
        ASSERT_NE(m_panel, nullptr);
    }
    void TearDown() override
    {
        EXPECT_TRUE(waitFor([&] { return m_frame.operations().liveThreads() == 0; }));
        MessageBoxes::setPresenter({});
        ModalDialogs::setDriver({});
        ClipboardLocation::setDirectory("");
    }

    WaveWindow* open(std::size_t bytes)
    {
        const std::string path = m_dir.file("tone.wav");
        writeFile(path, riff({ chunk("fmt ", fmtBody(1, 8000, 8)), chunk("data", Bytes(bytes, 100)) }));
        EXPECT_TRUE(openAndWait(m_frame, path));
        return m_frame.activeWaveWindow();
    }
    MarkRecord& mark() { return m_frame.activeWaveWindow()->document()->document.mark; }
    void click(int fromRight, bool twice = false)
    {
        const QPoint at(m_panel->width() - fromRight, 9);
        QTest::mouseClick(m_panel, Qt::LeftButton, {}, at);
        if (twice) {
            QMouseEvent event(QEvent::MouseButtonDblClick, at, m_panel->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                Qt::NoModifier);
            QApplication::sendEvent(m_panel, &event);
        }
    }
    QString zoomShown()
    {
        m_panel->grab();
        return m_panel->zoomText();
    }
    /// Opens the zoom dialog, types `typed` and presses OK; the dialog's result.
    int zoomDialog(const QString& typed)
    {
        ModalDialogs::setDriver([typed](QDialog& dialog) {
            auto* field = dialog.findChild<QSpinBox*>(QStringLiteral("field101"));
            auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("button1"));
            if (!field || !ok)
                return int(QDialog::Rejected);
            field->clear();
            QTest::keyClicks(field, typed);
            ok->click();
            return dialog.result();
        });
        return ShowZoomBy(m_frame.handle());
    }

    TempDir m_dir;
    FrameWindow m_frame;
    RollDownPanel* m_panel = nullptr;
    std::vector<QString> m_boxes;
};

TEST_F(RollDown, ZoomButtonsDoubleClicksAndFieldKeepTheirLimits)
{
    EXPECT_EQ(zoomShown(), "Zoom");
    click(192); // no document: nothing to zoom
    ASSERT_NE(open(40000), nullptr);

    mark().zoom = 0;
    EXPECT_EQ(zoomShown(), "Whole File");
    click(108); // out at "whole file" stays there
    EXPECT_EQ(mark().zoom, 0u);
    click(192); // in from "whole file" starts at 1
    EXPECT_EQ(mark().zoom, 1u);
    EXPECT_EQ(zoomShown(), "1 x");
    click(108); // out at 1 stays 1
    EXPECT_EQ(mark().zoom, 1u);

    mark().zoom = 8;
    click(108, true); // 8 - 1, then a double click below 11 gives 1
    EXPECT_EQ(mark().zoom, 1u);
    mark().zoom = 100;
    click(192, true); // 100 + 1 + 10
    EXPECT_EQ(mark().zoom, 111u);

    // The presets, and the View menu's way to the whole file.
    m_frame.runCommand(10004);
    EXPECT_EQ(mark().zoom, 500u);
    m_frame.runCommand(CmdWholeFile);
    EXPECT_EQ(mark().zoom, 0u);
}

TEST_F(RollDown, EndAndHomePutTheCursorOnTheEdgesOfTheDataAndScrollThere)
{
    ASSERT_NE(open(40001), nullptr);
    mark().markStart = 500;
    mark().markLength = 300;
    mark().zoom = 10;
    QTest::keyClick(&m_frame, Qt::Key_End);
    EXPECT_EQ(mark().markStart, 40001u);
    EXPECT_EQ(mark().markLength, 0u);
    EXPECT_GT(mark().viewStart, 30000u);
    QTest::keyClick(&m_frame, Qt::Key_Home);
    EXPECT_EQ(mark().markStart, 0u);
    EXPECT_EQ(mark().viewStart, 0u);
}

TEST_F(RollDown, ZoomDialogTakesOneTo30000AndRefusesTheRest)
{
    EXPECT_EQ(zoomDialog("50"), 0); // no document
    ASSERT_NE(open(40000), nullptr);
    mark().zoom = 77;
    for (const char* refused : { "0", "30001" }) {
        EXPECT_EQ(zoomDialog(QString::fromLatin1(refused)), 0) << refused;
        EXPECT_EQ(mark().zoom, 77u);
    }
    ASSERT_EQ(m_boxes.size(), 2u);
    EXPECT_EQ(m_boxes.at(0), "Only values between 1 - 30000 allowed.");
    for (uint32_t accepted : { 1u, 30000u }) {
        EXPECT_EQ(zoomDialog(QString::number(accepted)), 1);
        EXPECT_EQ(mark().zoom, accepted);
    }
    EXPECT_EQ(m_boxes.size(), 2u);
}

TEST_F(RollDown, RecentFilesPutASeparatorAfterEveryFifthButTheLast)
{
    auto layout = [&](int count) {
        RegWriteString("Kestrix\\RecentFiles\\NumberOfFiles", std::to_string(count).c_str());
        for (int i = 1; i <= count; ++i)
            RegWriteString(("Kestrix\\RecentFiles\\File" + std::to_string(i)).c_str(), "/music/a.wav");
        QString shape;
        const std::unique_ptr<QMenu> menu = m_panel->createRecentFilesMenu();
        for (QAction* action : menu->actions())
            shape += action->isSeparator() ? QStringLiteral("|") : QStringLiteral("f");
        return shape;
    };
    EXPECT_EQ(layout(12), "fffff|fffff|ff");
    EXPECT_EQ(layout(10), "fffff|fffff");
    EXPECT_EQ(m_panel->createRecentFilesMenu()->actions().at(0)->text(), "&1 /music/a.wav");
    RegWriteString("Kestrix\\RecentFiles\\NumberOfFiles", "10");
}

TEST_F(RollDown, ClipboardSlotIsFullFrom11BytesAndShowsKilobytesAndPlace)
{
    auto clipboardOf = [&](std::size_t bytes) {
        std::ofstream(ClipboardLocation::filePath(), std::ios::binary | std::ios::trunc) << std::string(bytes, 'x');
        return m_panel->clipboardText();
    };
    EXPECT_EQ(m_panel->clipboardText(), "Clipboard"); // no file
    EXPECT_EQ(clipboardOf(10), "Clipboard");
    const QString place = QStorageInfo(QString::fromStdString(m_dir.path().string())).rootPath();
    EXPECT_EQ(clipboardOf(2048), QStringLiteral("2 KB  (on %1)").arg(place));
}

TEST_F(RollDown, DraggingTheClipboardOntoAWaveWindowPastesOrWithCtrlMixes)
{
    WaveWindow* wave = open(40000);
    ASSERT_NE(wave, nullptr);
    mark().markStart = 0;
    mark().markLength = 1000;
    m_frame.runCommand(CmdCopy);
    ASSERT_TRUE(waitFor([&] { return m_frame.operations().liveThreads() == 0; }));
    const uint32_t& dataSize = wave->document()->document.header.dataSize;
    QWidget* view = wave->view()->viewport();
    auto drag = [&](Qt::KeyboardModifiers keys) {
        QTest::mousePress(m_panel, Qt::LeftButton, {}, QPoint(m_panel->width() - 270, 9));
        const QPoint local = m_panel->mapFromGlobal(view->mapToGlobal(view->rect().center()));
        QTest::mouseMove(m_panel, local);
        QTest::mouseRelease(m_panel, Qt::LeftButton, keys, local);
        EXPECT_TRUE(waitFor([&] { return m_frame.operations().liveThreads() == 0; }));
    };
    drag(Qt::ControlModifier);
    EXPECT_EQ(dataSize, 40000u); // mixed in
    drag(Qt::NoModifier);
    EXPECT_EQ(dataSize, 41000u); // inserted
}

} // namespace
