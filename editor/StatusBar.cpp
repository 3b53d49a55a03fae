#include "StatusBar.h"

#include "documents/FilePreview.h"
#include "documents/SharedDocument.h"
#include "exports/OperationContext.h"
#include "exports/WindowRegistry.h"

#include <QPainter>
#include <QTimer>
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
            QTimer::singleShot(30, this, qOverload<>(&QWidget::update)); // an operation holds it; try again
            return;
        }
        header = shared->document.header;
        name = QString::fromStdString(shared->document.info.fileName);
    }
    const QRect nameBox(8, 4, w - 356 - 8, h - 8);
    painter.drawText(nameBox, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(name, Qt::ElideMiddle, nameBox.width()));

    // The document's header is a canonical WAV header: the open dialog's preview reads the same fields.
    const auto texts = filePreview({reinterpret_cast<const uint8_t*>(&header), sizeof header});
    if (!texts)
        return;
    const struct {
        int a, b;
        const std::string& text;
    } boxes[] = {
        {130, 77, texts->size},
        {190, 132, texts->rate},
        {270, 192, texts->format},
        {350, 272, texts->length},
    };
    for (const auto& box : boxes) {
        Down3Dbox(&painter, w - box.a, 4, w - box.b, h - 1);
        painter.drawText(QRect(QPoint(w - box.a + 3, 5), QPoint(w - box.b - 2, h - 2)),
                         Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, QString::fromStdString(box.text));
    }
}

} // namespace kx
