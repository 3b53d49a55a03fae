// The extension host with small test extensions: loading, commands, menu, buttons, Filter.
#include "ExtensionHost.h"
#include "CommandIds.h"
#include "ExtensionLookup.h"
#include "FrameWindow.h"
#include "FunctionBar.h"
#include "PrivateUserData.h"
#include "StatusBar.h"
#include "TempDir.h"
#include "TestExtensionState.h"
#include "WaitFor.h"
#include "WaveWindow.h"
#include "exports/MessageBoxes.h"
#include "paneldraw/SettingsStore.h"
#include "paneldraw/UserDirectories.h"
#include "paneldraw/settings.h"

#include <QFileInfo>
#include <QLibrary>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <pthread.h>
#include <sys/stat.h>
#include <vector>

namespace {

using namespace kx;
using namespace kx::test;
namespace fs = std::filesystem;

void registerExtension(const std::string& keyName)
{
    RegWriteString(("Kestrix\\Extensions\\" + keyName).c_str(), "");
}

void registerPath(const char* path)
{
    registerExtension(extensionKeyName(QString::fromUtf8(path)));
}

/// The state of a test extension, loaded again if a frame released it meanwhile.
TestExtensionState& stateOf(const char* path)
{
    static std::vector<std::unique_ptr<QLibrary>> held;
    held.push_back(std::make_unique<QLibrary>(QString::fromUtf8(path)));
    auto get = reinterpret_cast<TestExtensionState* (*)()>(held.back()->resolve("TestExtensionStateOf"));
    return *get();
}

/// Settings, data directory and message boxes of the test's own.
class ExtensionHostTest : public testing::Test {
protected:
    ExtensionHostTest()
    {
        MessageBoxes::setPresenter([this](const MessageBoxRequest& request) {
            messages.append(request.text);
            return QMessageBox::Ok;
        });
        TestExtensionState& good = stateOf(KX_TEST_GOOD);
        good.hasDialog = 1;
        good.runOnThread = 0;
        good.dialogAnswer = 1;
        good.dialogs = 0;
        good.filters = 0;
        good.holdFilter = 0;
    }
    ~ExtensionHostTest() override
    {
        if (frame) {
            for (WaveWindow* wave : frame->waveWindows())
                wave->closeWithoutAsking();
            waitFor([this] { return frame->operations().liveThreads() == 0; });
        }
        frame.reset();
        MessageBoxes::setPresenter({});
    }
    void startFrame() { frame = std::make_unique<FrameWindow>(); }

    PrivateUserData m_user;
    QStringList messages;
    std::unique_ptr<FrameWindow> frame;
};

TEST_F(ExtensionHostTest, TwoExtensionsGetTheHostsValuesInRegistryOrder)
{
    // A bare name is found in the user's extension directory.
    fs::create_directories(userExtensionDirectory());
    fs::copy_file(KX_TEST_GOOD, userExtensionDirectory() + "/a-good.so");
    registerExtension("a-good.so");
    registerPath(KX_TEST_PLAIN);
    startFrame();

    // Sorted by key name: the path (written "%2F...") before "a-good.so".
    ASSERT_EQ(frame->extensions().count(), 2);
    for (int n = 0; n < 2; ++n) {
        const ExtensionInfo& info = frame->extensions().info(n);
        EXPECT_EQ(ExtensionGetWord(info.commandId), 1001 + n);
        EXPECT_EQ(ExtensionGetLong(info.libraryNumber), uint32_t(n + 1));
    }
    const QList<QAction*> items = frame->extensionsPopup()->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->data().toInt(), 1001);
    EXPECT_EQ(items[1]->text(), "&Good Test");
    EXPECT_EQ(items[1]->data().toInt(), 1002);
    // The first text is the hint, the second the tool-tip; one without "\r" serves as both.
    EXPECT_EQ(frame->extensions().hint(1001), "A plain test without a short text");
    EXPECT_EQ(frame->extensions().toolTip(1001), "A plain test without a short text");
    EXPECT_EQ(frame->extensions().hint(1002), "Runs the good test");
    EXPECT_EQ(frame->extensions().toolTip(1002), "Good");
    // The hint goes to the status bar while the item is highlighted.
    auto* statusBar = frame->findChild<StatusBar*>();
    emit frame->extensionsPopup()->hovered(items[1]);
    EXPECT_EQ(statusBar->menuText(), "Runs the good test");
    emit frame->extensionsPopup()->aboutToHide();
    EXPECT_EQ(statusBar->menuText(), "");
    const QList<ExtensionButton> buttons = frame->extensions().buttons();
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_EQ(buttons[0].toolTip, "A plain test without a short text");
    EXPECT_EQ(buttons[1].picture.size(), QSize(17, 17));

    frame->runCommand(CmdNew); // the document menu: the popup hangs at the end of "F&ilters"
    QMenu* filters = frame->menuBar()->actions().at(3)->menu();
    EXPECT_EQ(filters->actions().last()->menu(), frame->extensionsPopup());
    EXPECT_TRUE(messages.isEmpty());

    frame.reset();
    EXPECT_EQ(dlopen(KX_TEST_PLAIN, RTLD_NOW | RTLD_NOLOAD), nullptr) << "released with the frame";
}

TEST_F(ExtensionHostTest, ABareNameIsTheUsersModuleElseTheOneInstalledWithTheEditor)
{
    const fs::path installed = fs::path(installedExtensionDirectory().toStdString()).lexically_normal();
    std::vector<fs::path> made; // the directories this test makes, deepest first
    for (fs::path at = installed; !at.empty() && !fs::exists(at); at = at.parent_path())
        made.push_back(at);
    fs::create_directories(installed);
    const fs::path packaged = installed / "kx-lookup-test.so";
    std::ofstream(packaged) << "module";
    EXPECT_EQ(QFileInfo(extensionLibraryPath("kx-lookup-test.so")).canonicalFilePath(),
        QString::fromStdString(fs::canonical(packaged).string()));
    fs::create_directories(userExtensionDirectory());
    const std::string own = userExtensionDirectory() + "/kx-lookup-test.so";
    std::ofstream(own) << "module";
    EXPECT_EQ(extensionLibraryPath("kx-lookup-test.so"), QString::fromStdString(own));
    EXPECT_EQ(extensionLibraryPath("kx-missing.so"), QString());
    fs::remove(packaged);
    for (const fs::path& directory : made)
        fs::remove(directory);
}

TEST_F(ExtensionHostTest, TheDialogWordAndTheDialogExportDecide)
{
    registerPath(KX_TEST_PLAIN);
    registerPath(KX_TEST_DIALOG_MISSING);
    startFrame();
    frame->runCommand(CmdNew);
    ASSERT_EQ(frame->extensions().count(), 2);
    const bool plainFirst = frame->extensions().hint(1001).startsWith("A plain");
    frame->runCommand(plainFirst ? 1001 : 1002); // has-dialog word 0: nothing at all
    EXPECT_TRUE(messages.isEmpty());
    frame->runCommand(plainFirst ? 1002 : 1001);
    EXPECT_EQ(messages, QStringList { "Could not display dialog box." });
    frame->runCommand(1003); // beyond the loaded ones
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(ExtensionHostTest, FilterRunsOnlyWithAnIdleDocument)
{
    TestExtensionState& good = stateOf(KX_TEST_GOOD);
    registerPath(KX_TEST_GOOD);
    startFrame();
    frame->runCommand(1001);
    EXPECT_EQ(good.dialogs, 1);
    EXPECT_EQ(good.filters, 0) << "no document";

    frame->runCommand(CmdNew);
    good.dialogAnswer = 0;
    frame->runCommand(1001);
    EXPECT_EQ(good.filters, 0) << "dialog cancelled";
    good.dialogAnswer = 1;
    frame->runCommand(1001);
    EXPECT_EQ(good.filters, 1);
    EXPECT_EQ(good.filterThread, static_cast<unsigned long>(pthread_self()));
}

TEST_F(ExtensionHostTest, AThreadedFilterIsAnOperation)
{
    TestExtensionState& good = stateOf(KX_TEST_GOOD);
    good.runOnThread = 1;
    good.holdFilter = 1;
    registerPath(KX_TEST_GOOD);
    startFrame();
    frame->runCommand(CmdNew);
    const HWND wave = frame->activeWaveWindow()->handle();
    QSignalSpy completed(frame.get(), &FrameWindow::operationCompleted);
    frame->runCommand(1001);

    ASSERT_TRUE(waitFor([&] { return frame->operations().runningCount() == 1; }));
    EXPECT_EQ(frame->operations().records()[0].operationCode, 15050);
    EXPECT_EQ(frame->operations().records()[0].window, wave);
    frame->runCommand(1001);
    EXPECT_EQ(good.dialogs, 2);
    good.holdFilter = 0;
    ASSERT_TRUE(waitFor([&] { return completed.size() == 1; }));
    EXPECT_EQ(good.filters, 1) << "not a second time on the busy document";
    EXPECT_NE(good.filterThread, static_cast<unsigned long>(pthread_self()));
    EXPECT_EQ(frame->operations().runningCount(), 0);
}

TEST_F(ExtensionHostTest, ButtonsHiddenAndShownTwiceEndWithOnePerExtension)
{
    registerPath(KX_TEST_GOOD);
    registerPath(KX_TEST_PLAIN);
    startFrame();
    FunctionBar* bar = frame->functionBar();
    for (int toggle = 0; toggle < 4; ++toggle) {
        frame->runCommand(CmdExtensionButtons);
        const bool shown = toggle % 2;
        EXPECT_EQ(frame->extensions().buttonsShown(), shown);
        EXPECT_EQ(bar->action(CmdExtensionButtons)->isChecked(), shown);
        EXPECT_EQ(bar->action(1001) != nullptr, shown);
        EXPECT_EQ(bar->action(1002) != nullptr, shown);
    }
    const QList<ExtensionButton> buttons = frame->extensions().buttons();
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_EQ(buttons[0].command, 1001);
    EXPECT_EQ(buttons[1].command, 1002);
}

TEST_F(ExtensionHostTest, ALibraryWithoutItsInformationIsReleasedWithTheMessage)
{
    registerPath(KX_TEST_BROKEN);
    startFrame();
    EXPECT_EQ(frame->extensions().count(), 0);
    EXPECT_EQ(messages, QStringList { "Basic error while attempting to open Kestrix2000 - Extension." });
    EXPECT_EQ(dlopen(KX_TEST_BROKEN, RTLD_NOW | RTLD_NOLOAD), nullptr);
    frame->runCommand(CmdNew);
    for (QAction* action : frame->menuBar()->actions().at(3)->menu()->actions())
        EXPECT_EQ(action->menu(), nullptr) << "no Extensions popup";
}

TEST_F(ExtensionHostTest, KeysNamingNoLibraryAreSkippedWithoutBlocking)
{
    TempDir dir;
    std::ofstream(dir.file("notes.dll")) << "no library";
    std::filesystem::create_directory(dir.file("folder.dll"));
    ASSERT_EQ(::mkfifo(dir.file("pipe.dll").c_str(), 0600), 0); // opening it would wait for a writer
    for (const char* name : { "notes.dll", "folder.dll", "pipe.dll" })
        registerPath(dir.file(name).c_str());
    registerPath(KX_TEST_GOOD);
    startFrame();
    EXPECT_EQ(frame->extensions().count(), 1);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(ExtensionHostTest, MoreThan128AreSkippedWithOneMessageNamingThem)
{
    // 130 names of one library: links, each a registration of its own.
    for (int n = 0; n < 130; ++n) {
        const std::string name = QStringLiteral("ext%1.so").arg(n, 3, 10, QLatin1Char('0')).toStdString();
        fs::create_symlink(KX_TEST_PLAIN, (m_user.dataDirectory() / name).string());
        registerPath((m_user.dataDirectory() / name).string().c_str());
    }
    startFrame();
    EXPECT_EQ(frame->extensions().count(), 128);
    EXPECT_EQ(frame->extensionsPopup()->actions().size(), 128);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("ext128.so"));
    EXPECT_TRUE(messages[0].contains("ext129.so"));
    EXPECT_FALSE(messages[0].contains("ext127.so"));
}

} // namespace
