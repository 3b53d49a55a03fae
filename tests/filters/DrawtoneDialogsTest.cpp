// The Drawtone dialogs worked with the mouse by a test driver.
#include "OwnerWindow.h"
#include "dialogs/CurveGraph.h"
#include "dialogs/ModalDialogs.h"
#include "exports/WindowRegistry.h"
#include "paneldraw/settings.h"
#include "wavekit/wavekit.h"

#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace kx;
using kx::test::Owner;

/// The widget position of a graph point: one pixel of frame.
QPoint onGraph(int x, int y)
{
    return { x + 1, y + 1 };
}

void saveShot(QDialog& dialog, const char* name)
{
    if (const char* dir = std::getenv("KX_SCREENSHOT_DIR"))
        dialog.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name));
}

TEST(DrawtoneDialogs, DragSnapsResetLaysOutAndCountsAreStored)
{
    Owner owner;
    RegWriteString("Kestrix\\Settings\\Drawtone\\VolumeNumber", "6");
    ModalDialogs::setDriver([](QDialog& dialog) {
        dialog.show();
        auto* graph = dialog.findChild<CurveGraph*>();
        auto* value = dialog.findChild<QLineEdit*>(QStringLiteral("field115"));
        auto* count = dialog.findChild<QSpinBox*>(QStringLiteral("field113"));
        EXPECT_EQ(dialog.windowTitle(), "Drawtone - Change Volume");
        EXPECT_EQ(graph->size(), QSize(302, 202));
        EXPECT_EQ(graph->pins().size(), 6u);
        // Nothing to mark without a document.
        EXPECT_FALSE(dialog.findChild<QRadioButton*>(QStringLiteral("radio11"))->isEnabled());
        EXPECT_TRUE(dialog.findChild<QRadioButton*>(QStringLiteral("radio10"))->isChecked());

        QTest::mousePress(graph, Qt::LeftButton, {}, onGraph(62, 97));
        EXPECT_EQ(graph->dragged(), 1);
        QTest::mouseMove(graph, onGraph(90, 51));
        EXPECT_EQ(graph->pins()[1], (CurvePin { 90, 50 }));
        EXPECT_EQ(value->text(), "150");
        QTest::mouseMove(graph, onGraph(124, 160)); // beyond the next pin's x: only y follows
        EXPECT_EQ(graph->pins()[1], (CurvePin { 90, 160 }));
        EXPECT_EQ(value->text(), "40");
        QTest::mouseRelease(graph, Qt::LeftButton, {}, onGraph(124, 160));
        EXPECT_EQ(graph->dragged(), -1);

        count->setValue(8);
        dialog.findChild<QPushButton*>(QStringLiteral("button114"))->click();
        EXPECT_EQ(graph->pins(), defaultPins(8));
        EXPECT_EQ(value->text(), "100");
        EXPECT_EQ(RegGetWord("Kestrix\\Settings\\Drawtone\\VolumeNumber", 0), 8);
        count->setValue(3);
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(ShowDTVolume(owner.handle), 0);
    // Cancel keeps the count stored by the reset, not the one typed afterwards.
    EXPECT_EQ(RegGetWord("Kestrix\\Settings\\Drawtone\\VolumeNumber", 0), 8);

    ModalDialogs::setDriver([](QDialog& dialog) {
        dialog.findChild<QSpinBox*>(QStringLiteral("field113"))->setValue(7);
        return int(QDialog::Accepted);
    });
    ShowDTFadeChannels(owner.handle);
    EXPECT_EQ(RegGetWord("Kestrix\\Settings\\Drawtone\\FadeChannelsNumber", 0), 7);
    ModalDialogs::setDriver({});
}

// Each dialog with a drawn curve and a pin in the middle of a drag: the pin is drawn where it was
// dragged to, and the marker runs across the graph at its level. The picture is saved when
// KX_SCREENSHOT_DIR names a directory.
TEST(DrawtoneDialogs, DraggedPinIsDrawnWithItsMarker)
{
    Owner owner;
    const struct {
        int32_t (*show)(HWND);
        const char* file;
        std::vector<CurvePin> pins;
    } cases[] = {
        { ShowDTVolume, "drawtone-volume.png", { { 0, 100 }, { 60, 30 }, { 150, 150 }, { 230, 50 }, { 300, 100 } } },
        { ShowDTFadeChannels, "drawtone-fade-channels.png",
            { { 0, 150 }, { 75, 50 }, { 150, 100 }, { 225, 180 }, { 300, 20 } } },
    };
    for (const auto& c : cases) {
        ModalDialogs::setDriver([&](QDialog& dialog) {
            dialog.show();
            auto* graph = dialog.findChild<CurveGraph*>();
            graph->setPins(c.pins);
            QTest::mousePress(graph, Qt::LeftButton, {}, onGraph(c.pins[1].x, c.pins[1].y));
            QTest::mouseMove(graph, onGraph(c.pins[1].x + 5, c.pins[1].y + 2));
            QCoreApplication::processEvents();
            const CurvePin pin = graph->pins()[1];
            EXPECT_NE(pin, c.pins[1]);
            const QImage picture = graph->grab().toImage();
            // Inside the pin, off both marker lines.
            EXPECT_EQ(picture.pixelColor(onGraph(pin.x + 1, pin.y + 1)), QColor(192, 192, 192));
            // The marker's first dash at the graph's left edge, at the pin's level.
            EXPECT_EQ(picture.pixelColor(onGraph(1, pin.y)), QColor(0, 0, 255));
            saveShot(dialog, c.file);
            return int(QDialog::Rejected);
        });
        EXPECT_EQ(c.show(owner.handle), 0);
    }
    ModalDialogs::setDriver({});
}

} // namespace
