#include "paneldraw/MultimediaButtonRow.h"

#include "paneldraw/drawing.h"

#include <QMouseEvent>
#include <QPainter>

namespace kx {

namespace {

    constexpr int kButtonWidth = 40;
    constexpr int kGapWidth = 9;
    constexpr int kHeight = 23;

    int widthOf(int kind)
    {
        switch (kind) {
        case MultimediaButtonRow::Button:
        case MultimediaButtonRow::Space:
            return kButtonWidth;
        case MultimediaButtonRow::Gap:
            return kGapWidth;
        }
        return 0;
    }

} // namespace

MultimediaButtonRow::MultimediaButtonRow(QWidget* parent, int x, int y, std::vector<Item> items)
    : QWidget(parent)
    , m_items(std::move(items))
    , m_positions(itemPositions(m_items))
{
    const int width = m_items.empty() ? 0 : m_positions.back() + widthOf(m_items.back().kind);
    setGeometry(x, y, width + 1, kHeight);
    setObjectName(QStringLiteral("ZORMMBUTTON"));
    show();
}

std::vector<int> MultimediaButtonRow::itemPositions(const std::vector<Item>& items)
{
    std::vector<int> positions;
    int x = 0;
    for (const Item& item : items) {
        positions.push_back(x);
        x += widthOf(item.kind);
    }
    return positions;
}

int MultimediaButtonRow::buttonAt(int x) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].kind == Button && m_positions[i] < x && x < m_positions[i] + kButtonWidth)
            return int(i);
    }
    return -1;
}

void MultimediaButtonRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].kind != Button)
            continue;
        const int x = m_positions[i];
        const bool pressed = int(i) == m_pressed;
        if (pressed)
            Button3Dpressed(&painter, x, 0, x + kButtonWidth + 1, kHeight);
        else
            Button3D(&painter, x, 0, x + kButtonWidth + 1, kHeight);
        if (!m_items[i].image.isNull())
            painter.drawImage(x + 16, pressed ? 7 : 6, m_items[i].image);
    }
}

void MultimediaButtonRow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int hit = buttonAt(int(event->position().x()));
    if (hit < 0)
        return;
    m_pressed = hit;
    repaint();
    emit hintRequested(m_items[std::size_t(hit)].command);
}

void MultimediaButtonRow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_pressed < 0)
        return;
    const Item item = m_items[std::size_t(m_pressed)];
    const int x = m_positions[std::size_t(m_pressed)];
    m_pressed = -1;
    repaint();
    emit hintClosed();
    const int mx = int(event->position().x());
    if (x < mx && mx < x + kButtonWidth)
        emit commandTriggered(item.command, item.kind);
}

} // namespace kx
