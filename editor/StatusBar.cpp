#include "StatusBar.h"

#include "CommandIds.h"
#include "StatusBoxes.h"

#include "documents/FilePreview.h"
#include "documents/SharedDocument.h"
#include "exports/OperationContext.h"
#include "exports/WindowRegistry.h"
#include "exports/WindowRequests.h"

#include "paneldraw/drawing.h"
#include <QPainter>
#include <QTimer>

namespace kx {

StatusBar::StatusBar(HWND frame, QWidget* parent)
    : QWidget(parent)
    , m_frame(frame)
{
    m_handle = WindowRegistry::add(this, nullptr);
    WindowRegistry::setMessageHandler(
        m_handle, [this](uint32_t m, uintptr_t w, intptr_t l) { return handleMessage(m, w, l); });
}

StatusBar::~StatusBar()
{
    WindowRegistry::remove(m_handle);
}

intptr_t StatusBar::handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case MsgInvalidate:
        update();
        return 0;
    case MsgLoadString: {
        // The string table is the program's, as a status window's module would hold it.
        const char* entry = commandString(int(wParam));
        if (entry && lParam)
            *reinterpret_cast<std::string*>(lParam) = entry;
        return entry != nullptr;
    }
    case MsgSetText:
        showMenuText(lParam ? QString::fromUtf8(reinterpret_cast<const char*>(lParam)) : QString());
        return 1;
    }
    return 0;
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

void StatusBar::setPlayingFrame(int frame)
{
    m_playingFrame = frame;
    update(QRect(width() - 70, 4, 30, height() - 4));
}

void StatusBar::setCdFrame(int frame)
{
    m_cdFrame = frame;
    update(QRect(width() - 40, 4, 30, height() - 4));
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
        painter.drawText(
            QPoint(3, 4 + painter.fontMetrics().ascent()), QStringLiteral("Kestrix2000 - the sound editor"));
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
    // The document's header is a canonical WAV header: the open dialog's preview reads the same fields.
    const auto texts = filePreview({ reinterpret_cast<const uint8_t*>(&header), sizeof header });
    std::array<QString, 4> boxTexts;
    std::array<int, 4> textWidths {};
    if (texts) {
        boxTexts = { QString::fromStdString(texts->size), QString::fromStdString(texts->rate),
            QString::fromStdString(texts->format), QString::fromStdString(texts->length) };
        for (std::size_t i = 0; i < boxTexts.size(); ++i)
            textWidths[i] = painter.fontMetrics().horizontalAdvance(boxTexts[i]);
    }
    const QByteArray playing = "playing" + QByteArray::number(std::max(1, m_playingFrame));
    ShowResourceBitmap(&painter, ":/wavedesk", playing.constData(), w - 70, 4);
    const QByteArray cding = "cding" + QByteArray::number(std::max(1, m_cdFrame));
    ShowResourceBitmap(&painter, ":/wavedesk", cding.constData(), w - 40, 4);
    const auto boxes = statusBoxes(w, h, textWidths);
    const QRect nameBox(QPoint(8, 4), QPoint(statusNameRight(boxes) - 1, h - 5));
    painter.drawText(nameBox, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
        painter.fontMetrics().elidedText(name, Qt::ElideMiddle, nameBox.width()));
    if (!texts)
        return;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        Down3Dbox(&painter, boxes[i].left, 4, boxes[i].right, h - 1);
        painter.drawText(boxes[i].text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, boxTexts[i]);
    }
}

} // namespace kx
