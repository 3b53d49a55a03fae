// The multimedia button row: item layout, strict hit bounds, and a command only for a release on
// the pressed button.
#include "paneldraw/MultimediaButtonRow.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using kx::MultimediaButtonRow;
using Item = MultimediaButtonRow::Item;

TEST(MultimediaButtonRow, LayoutAndStrictBounds)
{
    QWidget parent;
    MultimediaButtonRow row(&parent, 5, 3, { { {}, 10, 1 }, { {}, 0, 2 }, { {}, 11, 1 } });
    EXPECT_EQ(MultimediaButtonRow::itemPositions({ { {}, 10, 1 }, { {}, 0, 2 }, { {}, 11, 1 } }),
        (std::vector<int> { 0, 40, 49 }));
    EXPECT_EQ(row.geometry(), QRect(5, 3, 90, 23));
    EXPECT_EQ(MultimediaButtonRow(&parent, 0, 0, { { {}, 1, 0 } }).width(), 1); // kind 0: nothing

    MultimediaButtonRow two(&parent, 0, 0, { { {}, 1, 1 }, { {}, 2, 1 } });
    EXPECT_EQ(two.buttonAt(40), -1); // between the buttons: neither
    EXPECT_EQ(two.buttonAt(41), 1);
    MultimediaButtonRow space(&parent, 0, 0, { { {}, 3, 32 } });
    EXPECT_EQ(space.width(), 41);
    EXPECT_EQ(space.buttonAt(20), -1); // a space never reacts
}

TEST(MultimediaButtonRow, CommandOnlyWhenReleasedOverThePressedButton)
{
    QWidget parent;
    MultimediaButtonRow row(&parent, 0, 0, { { {}, 501, 1 }, { {}, 502, 1 } });
    QSignalSpy hints(&row, &MultimediaButtonRow::hintRequested);
    QSignalSpy closed(&row, &MultimediaButtonRow::hintClosed);
    QSignalSpy commands(&row, &MultimediaButtonRow::commandTriggered);

    QTest::mousePress(&row, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseRelease(&row, Qt::LeftButton, {}, QPoint(60, 10)); // dragged off onto the other button
    EXPECT_EQ(hints.count(), 1);
    EXPECT_EQ(hints.at(0).at(0).toInt(), 501);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(commands.count(), 0);

    QTest::mouseClick(&row, Qt::LeftButton, {}, QPoint(60, 10));
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 502);
    EXPECT_EQ(commands.at(0).at(1).toInt(), 1);
}

} // namespace
