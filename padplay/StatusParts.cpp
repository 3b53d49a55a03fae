#include "StatusParts.h"

#include "paneldraw/drawing.h"

#include <QPainter>

namespace kx::padplay {

namespace {

    constexpr int kRightEdges[StatusParts::kPartCount] = { 250, 329, 408, 467, 521, 605 };
    /// DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS
    constexpr uint32_t kPartText = 0x0004 | 0x0020 | 0x0800 | 0x4000;

} // namespace

StatusParts::StatusParts(QWidget* parent)
    : QWidget(parent)
{
    QFont* font = ZorGetStockObject(2);
    setFont(*font);
    ZorDeleteFont(font);
}

void StatusParts::setText(int part, const QString& text)
{
    m_texts[part] = text;
    update();
}

void StatusParts::showMessage(const QString& text)
{
    m_texts.fill(QString());
    setText(0, text);
}

void StatusParts::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    int left = 0;
    for (int part = 0; part < kPartCount; ++part) {
        const int right = kRightEdges[part] - 2;
        Down3Drectangle(&painter, left, 2, right, height());
        ExtText(&painter, left + 3, 3, right - 2, height() - 1, m_texts[part].toUtf8().constData(), kPartText);
        left = kRightEdges[part];
    }
}

} // namespace kx::padplay
