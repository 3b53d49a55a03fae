// The splash screen and the start assistant: when the assistant opens, its tips and buttons, and
// what it stores.
#include "CommandIds.h"
#include "FrameWindow.h"
#include "SplashScreen.h"
#include "StartAssistant.h"
#include "WaitFor.h"
#include "dialogs/OptionSettings.h"
#include "paneldraw/settings.h"

#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

using namespace kx;
using namespace kx::test;

constexpr const char* kStartTip = "Kestrix\\Settings\\StartUp\\StartTip";

StartAssistant* assistantOf(QWidget& frame)
{
    return frame.findChild<StartAssistant*>();
}

void press(QWidget& dialog, int id)
{
    dialog.findChild<QPushButton*>(QStringLiteral("button%1").arg(id))->click();
}

TEST(StartAssistant, StartsAfterTheStoredTipWrapsAfterTheTenthAndStoresWhereItStopped)
{
    const struct {
        const char* stored; // the last tip shown; "" leaves the default of 8
        std::vector<int> shown;
    } cases[] = {
        { "8", { 9, 10, 1, 2 } }, { "9", { 10, 1 } }, { "10", { 1, 2 } }, // no eleventh tip to start with
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        RegWriteString(kStartTip, c.stored);
        QWidget frame;
        QPointer<StartAssistant> assistant = StartAssistant::open(&frame, {});
        std::vector<int> shown { assistant->tip() };
        for (std::size_t i = 1; i < c.shown.size(); ++i) {
            press(*assistant, 104);
            shown.push_back(assistant->tip());
        }
        EXPECT_EQ(shown, c.shown);
        assistant->findChild<QCheckBox*>("control201")->setChecked(true);
        assistant->reject(); // Esc
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(assistant.isNull());
        EXPECT_EQ(std::string(RegGetString(kStartTip, "")), std::to_string(c.shown.back()));
        EXPECT_EQ(RegGetBool(kNoStartAssistantSetting, 0), 1);
    }
    RegWriteString(kNoStartAssistantSetting, "0");
}

TEST(StartAssistant, ItsButtonsHandTheirCommandsToTheFrame)
{
    const struct {
        int button;
        std::vector<int> commands;
        bool closes;
    } cases[] = {
        { 101, { CmdNew }, true }, { 102, { CmdOpen }, true },
        { 202, { CmdExit }, false }, // the assistant goes with the program
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        QWidget frame;
        std::vector<int> commands;
        QPointer<StartAssistant> assistant = StartAssistant::open(&frame, [&](int id) {
            // Open comes once the assistant has stored its settings.
            if (id == CmdOpen) {
                EXPECT_EQ(RegGetBool(kNoStartAssistantSetting, 1), 0);
            }
            commands.push_back(id);
        });
        RegWriteString(kNoStartAssistantSetting, "1");
        press(*assistant, c.button);
        EXPECT_TRUE(waitFor([&] { return commands.size() == c.commands.size(); }, 2000));
        EXPECT_EQ(commands, c.commands);
        EXPECT_EQ(assistant.isNull() || !assistant->isVisible(), c.closes);
    }
    RegWriteString(kNoStartAssistantSetting, "0");
}

TEST(SplashScreen, OpensTheAssistantUnlessTheUserTurnedItOff)
{
    for (const char* off : { "1", "0" }) {
        SCOPED_TRACE(off);
        RegWriteString(kNoStartAssistantSetting, off);
        QWidget frame;
        frame.show();
        QPointer<SplashScreen> splash = new SplashScreen(&frame, {});
        EXPECT_TRUE(splash->isVisible());
        EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
        splash->finish();
        EXPECT_TRUE(waitFor([&] { return splash.isNull(); }));
        EXPECT_EQ(assistantOf(frame) != nullptr, std::string(off) == "0");
    }
}

TEST(StartAssistant, HelpMenuOpensItOnce)
{
    RegWriteString(kNoStartAssistantSetting, "1");
    FrameWindow frame;
    frame.show();
    frame.runCommand(CmdTipsAndTricks);
    frame.runCommand(CmdTipsAndTricks);
    EXPECT_EQ(frame.findChildren<StartAssistant*>().size(), 1);
    EXPECT_EQ(assistantOf(frame)->windowTitle(), "Welcome to Kestrix2000");
    EXPECT_TRUE(assistantOf(frame)->findChild<QCheckBox*>("control201")->isChecked());
}

} // namespace
