#include "PageTabs.h"

#include "PaintColors.h"
#include "paneldraw/drawing.h"

#include <QPainter>

namespace kx::padplay {

namespace {

    constexpr int kTabCount = 8;
    constexpr int kTabStep = 75;
    constexpr int kTabWidth = 73;
    constexpr int kStripLeft = 4;
    constexpr int kBandTop = 31;
    constexpr int kBandBottom = 58;
    constexpr int kLowestTabBottom = 58;
    constexpr int kCurrentTop = 32;
    constexpr int kCurrentBottom = 60;
    constexpr int kLowestClick = 59;

    int tabLeft(int page)
    {
        return kStripLeft + kTabStep * page;
    }
    int tabTop(int page)
    {
        return 34 + page;
    }

    void drawName(QPainter& painter, const QColor& color, int left, int top, int right, int bottom, const QString& name)
    {
        painter.save();
        painter.setPen(color);
        ExtText(&painter, left, top, right, bottom, name.toUtf8().constData(), kCenteredLine);
        painter.restore();
    }

} // namespace

int pageTabAt(QPoint point)
{
    for (int page = 0; page < kTabCount; ++page) {
        const int left = tabLeft(page);
        if (point.y() <= kLowestClick && point.x() > left && point.x() < left + kTabWidth && point.y() >= tabTop(page))
            return page;
    }
    return -1;
}

void paintPageTabs(QPainter& painter, const QPalette& palette, const QStringList& names, int current)
{
    const PaintColors colors(palette);
    FilledBox(&painter, kStripLeft, kBandTop, kStripLeft + kTabStep * kTabCount + 1, kBandBottom, colorRef(Qt::black));
    QFont* font = ZorGetStockObject(2);
    painter.save();
    painter.setFont(*font);
    for (int page = 0; page < kTabCount; ++page) {
        const int x = tabLeft(page);
        const bool raised = page == current;
        const int top = raised ? kCurrentTop : tabTop(page);
        const int bottom = raised ? kCurrentBottom : kLowestTabBottom;
        FilledBox(&painter, x, top, x + kTabWidth, bottom, colors.face);
        LineEx(&painter, x, top, x, bottom, colors.highlight);
        LineEx(&painter, x, top, x + kTabWidth, top, colors.highlight);
        LineEx(&painter, x + kTabWidth - 1, top, x + kTabWidth - 1, bottom, colors.shadow);
        const QString name = names.value(page);
        if (raised) {
            drawName(painter, palette.color(QPalette::Dark), x + 2, 33, x + 75, 60, name);
            drawName(painter, palette.color(QPalette::Shadow), x, 32, x + 73, 58, name);
        } else {
            drawName(painter, Qt::black, x, top, x + kTabWidth, bottom, name);
        }
    }
    painter.restore();
    ZorDeleteFont(font);
}

} // namespace kx::padplay
