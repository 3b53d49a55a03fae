#include "StatusBar.h"

#include "documents/FilePreview.h"
#include "documents/SharedDocument.h"
#include "exports/OperationContext.h"
#include "exports/WindowRegistry.h"

#include <QPainter>
#include "paneldraw/drawing.h"

namespace kx {

StatusBar::StatusBar(HWND frame, QWidget* parent)
    : QWidget(parent)
    , m_frame(frame)
{
}

void StatusBar::showMenuText(const QString& text)
{
    m_menuText = text;
    update();
}

void StatusBar::clearMenuText()
{
    m_menuText.clear();
    update();
}

void StatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (QFont* font = ZorGetStockObject(2)) {
        painter.setFont(*font);
        ZorDeleteFont(font);
    }
    const int w = width();
    const int h = height();
    painter.fillRect(rect(), palette().button());
    painter.setPen(palette().light().color());
    painter.drawLine(0, 0, w - 1, 0);
    painter.setPen(palette().buttonText().color());

    if (!m_menuText.isEmpty()) {
        painter.fillRect(QRect(QPoint(2, 2), QPoint(w - 76, h - 1)), palette().button());
        painter.drawText(QPoint(3, 4 + painter.fontMetrics().ascent()), m_menuText);
        return;
    }
    auto shared = WindowRegistry::document(reinterpret_cast<HWND>(SendMessage(m_frame, MsgGetActiveWave, 0, 0)));
    if (!shared) {
        painter.drawText(QPoint(3, 4 + painter.fontMetrics().ascent()), QStringLiteral("Kestrix2000 - the sound editor"));
        return;
    }
    WaveHeader header;
    QString name;
    {
        std::shared_lock lock(shared->lock, std::try_to_lock);
        if (!lock.owns_lock()) {
            update(); // an operation is resizing the document; try again shortly
            return;
        }
        header = shared->document.header;
        name = QString::fromStdString(shared->document.info.fileName);
    }
    const QRect nameBox(8, 4, w - 356 - 8, h - 8);
    painter.drawText(nameBox, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(name, Qt::ElideMiddle, nameBox.width()));

    const uint64_t ms = header.riffSize == 0 || header.nAvgBytesPerSec == 0
                            ? 0
                            : uint64_t(double(header.dataSize) / header.nAvgBytesPerSec * 1000.0);
    const struct {
        int a, b;
        QString text;
    } boxes[] = {
        {130, 77, QString::asprintf("%u KB", header.riffSize / 1024)},
        {190, 132, QString::asprintf("%u Hz", header.nSamplesPerSec)},
        {270, 192, QString::asprintf(header.nChannels == 2 ? "%d Bit, Stereo" : "%d Bit, Mono", header.wBitsPerSample)},
        {350, 272, QString::fromStdString(formatMinutesSeconds(ms))},
    };
    for (const auto& box : boxes) {
        Down3Dbox(&painter, w - box.a, 4, w - box.b, h - 1);
        painter.drawText(QRect(QPoint(w - box.a + 3, 5), QPoint(w - box.b - 2, h - 2)),
                         Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, box.text);
    }
}

} // namespace kx
