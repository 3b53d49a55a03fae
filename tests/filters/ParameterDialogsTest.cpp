// The filters' parameter dialogs and the "Working..." boxes, worked by a test driver.
#include "OwnerWindow.h"
#include "dialogs/ModalDialogs.h"
#include "exports/WindowRegistry.h"
#include "exports/WindowRequests.h"
#include "paneldraw/settings.h"
#include "wavekit/wavekit.h"

#include <QCheckBox>
#include <QDialog>
#include <QProgressBar>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace {

using namespace kx;
using kx::test::Owner;

/// Installs `work` as the dialog driver for one call of `show` and returns show's result.
int32_t drive(int32_t (*show)(HWND), HWND frame, std::function<int(QDialog&)> work)
{
    ModalDialogs::setDriver(std::move(work));
    const int32_t result = show(frame);
    ModalDialogs::setDriver({});
    return result;
}

std::string setting(const char* path)
{
    return RegGetString(path, "<unset>");
}

QPoint centreOf(const QWidget& widget)
{
    return widget.pos() + QPoint(widget.width() / 2, widget.height() / 2);
}

TEST(ParameterDialogs, NumberFieldsShowDefaultsStopAtTheirRangeAndWriteOnOk)
{
    const struct {
        int32_t (*show)(HWND);
        const char* title;
        const char* field;
        const char* path;
        int defaultValue, minimum, maximum;
    } cases[] = {
        { ShowVolume, "Volume", "field101", "Kestrix\\Settings\\Filters\\Volume", 200, 1, 999 },
        { ShowFadeIn, "Fade In", "field101", "Kestrix\\Settings\\Filters\\FadeIn", 10, 0, 99 },
        { ShowFadeOut, "Fade Out", "field101", "Kestrix\\Settings\\Filters\\FadeOut", 10, 0, 99 },
        { ShowSilence, "Insert Silence", "field102", "Kestrix\\Settings\\Filters\\Silence\\Sec", 1, 0, 999 },
        { ShowSilence, "Insert Silence", "field101", "Kestrix\\Settings\\Filters\\Silence\\MS", 0, 0, 999 },
        { ShowVelocity, "Velocity", "field101", "Kestrix\\Settings\\Filters\\Velocity", 200, 1, 999 },
    };
    Owner owner;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        // Cancel writes nothing. (OK in the silence dialog's seconds row wrote the milliseconds as
        // shown, the default.)
        const std::string before = setting(c.path);
        EXPECT_EQ(drive(c.show, owner.handle, [](QDialog&) { return int(QDialog::Rejected); }), 0);
        EXPECT_EQ(setting(c.path), before);

        int shown = -1, lowest = -1, highest = -1;
        QString title;
        const int32_t result = drive(c.show, owner.handle, [&](QDialog& dialog) {
            title = dialog.windowTitle();
            auto* field = dialog.findChild<QSpinBox*>(QString::fromLatin1(c.field));
            if (!field)
                return int(QDialog::Rejected);
            shown = field->value();
            field->setValue(-5);
            lowest = field->value();
            for (int i = 0; i < 2000; ++i)
                field->stepUp();
            highest = field->value();
            return int(QDialog::Accepted);
        });
        EXPECT_EQ(result, 1);
        EXPECT_EQ(title, QString::fromLatin1(c.title));
        EXPECT_EQ(shown, c.defaultValue);
        EXPECT_EQ(lowest, c.minimum);
        EXPECT_EQ(highest, c.maximum);
        EXPECT_EQ(setting(c.path), std::to_string(c.maximum));
    }

    // OK without a change writes the value shown.
    RegWriteString("Kestrix\\Settings\\Filters\\Volume", "123");
    EXPECT_EQ(drive(ShowVolume, owner.handle, [](QDialog&) { return int(QDialog::Accepted); }), 1);
    EXPECT_EQ(setting("Kestrix\\Settings\\Filters\\Volume"), "123");
}

TEST(ParameterDialogs, SoftenTrackBar)
{
    Owner owner;
    int shown = 0, lowest = 0, highest = 0;
    const int32_t result = drive(ShowLowPass, owner.handle, [&](QDialog& dialog) {
        auto* bar = dialog.findChild<QSlider*>(QStringLiteral("trackbar201"));
        shown = bar->value();
        lowest = bar->minimum();
        highest = bar->maximum();
        bar->setValue(7);
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(shown, 4);
    EXPECT_EQ(lowest, 1);
    EXPECT_EQ(highest, 8);
    EXPECT_EQ(setting("Kestrix\\Settings\\Filters\\LowPass"), "7");
    EXPECT_EQ(drive(ShowLowPass, owner.handle, [](QDialog&) { return int(QDialog::Rejected); }), 0);
}

TEST(ParameterDialogs, VelocitySmoothingSwitchesTheTrackBar)
{
    Owner owner;
    RegWriteString("Kestrix\\Settings\\Filters\\VelocitySmoothValue", "5");
    RegWriteString("Kestrix\\Settings\\Filters\\VelocitySmooth", "1");
    bool enabledAtStart = false, enabledAfterUncheck = true;
    QString closeText;
    drive(ShowVelocity, owner.handle, [&](QDialog& dialog) {
        auto* smooth = dialog.findChild<QCheckBox*>(QStringLiteral("check102"));
        auto* bar = dialog.findChild<QSlider*>(QStringLiteral("trackbar201"));
        closeText = dialog.findChild<QWidget*>(QStringLiteral("button2"))->property("text").toString();
        enabledAtStart = bar->isEnabled();
        QTest::mouseClick(smooth, Qt::LeftButton);
        enabledAfterUncheck = bar->isEnabled();
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(enabledAtStart);
    EXPECT_FALSE(enabledAfterUncheck);
    EXPECT_EQ(closeText, "Close");
    EXPECT_EQ(setting("Kestrix\\Settings\\Filters\\VelocitySmooth"), "0");
    EXPECT_EQ(setting("Kestrix\\Settings\\Filters\\VelocitySmoothValue"), "5");

    // Opened with smoothing off, the track bar starts disabled.
    bool enabled = true;
    EXPECT_EQ(drive(ShowVelocity, owner.handle,
                  [&](QDialog& dialog) {
                      enabled = dialog.findChild<QSlider*>(QStringLiteral("trackbar201"))->isEnabled();
                      return int(QDialog::Rejected);
                  }),
        0);
    EXPECT_FALSE(enabled);
}

TEST(ParameterDialogs, PlacedAboveTheOwnersCentreExceptVelocity)
{
    Owner owner;
    const QPoint ownerCentre = owner.widget.mapToGlobal(owner.widget.rect().center());
    for (auto show : { ShowVolume, ShowFadeIn, ShowFadeOut, ShowLowPass, ShowSilence }) {
        QPoint centre;
        drive(show, owner.handle, [&](QDialog& dialog) {
            centre = centreOf(dialog);
            return int(QDialog::Rejected);
        });
        EXPECT_LE(std::abs(centre.x() - ownerCentre.x()), 1);
        EXPECT_LE(std::abs(centre.y() - (ownerCentre.y() - 30)), 1);
    }
}

TEST(WorkingBoxes, ProgressBoxAnswersRangeAndPositionAndCloses)
{
    Owner owner;
    HWND box = ShowPercentage(owner.handle);
    QWidget* window = WindowRegistry::window(box);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Working...");
    const QPoint ownerCentre = owner.widget.mapToGlobal(owner.widget.rect().center());
    EXPECT_LE(std::abs(centreOf(*window).y() - (ownerCentre.y() - 25)), 1);
    auto* bar = window->findChild<QProgressBar*>(QStringLiteral("progress101"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(SendMessage(box, WM_USER + 1, 10, 500), 1);
    EXPECT_EQ(SendMessage(box, WM_USER + 2, 250, 0), 1);
    EXPECT_EQ(bar->minimum(), 10);
    EXPECT_EQ(bar->maximum(), 500);
    EXPECT_EQ(bar->value(), 250);
    EXPECT_EQ(SendMessage(box, 0x0111, 2, 0), 1); // command 2 closes it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(WindowRegistry::window(box), nullptr);
    EXPECT_EQ(SendMessage(box, WM_USER + 2, 1, 0), 0);
}

TEST(WorkingBoxes, WaitBoxFromAWorkerThread)
{
    Owner owner;
    std::atomic<HWND> made = nullptr;
    std::thread worker([&] { made = ShowWait(owner.handle); });
    while (!made) // the box is built on this thread, which must keep serving events meanwhile
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    HWND box = made;
    QWidget* window = WindowRegistry::window(box);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->findChild<QProgressBar*>(QStringLiteral("progress101")), nullptr);
    EXPECT_EQ(SendMessage(box, WM_USER + 1, 0, 10), 0); // no progress bar to set
    SendMessage(box, MsgClose, 0, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(WindowRegistry::window(box), nullptr);
}

} // namespace
