#include "BoardButton.h"

#include "FileDrops.h"
#include "PaintColors.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace kx::padplay {

namespace {

    constexpr int kGlyphSize = 16;

    /// The face's picture, rendered once and kept in Qt's pixmap cache, which Qt frees itself.
    QPixmap glyph(BoardButton::Face face)
    {
        const QString resource = face == BoardButton::Face::Missing ? QStringLiteral(":/padplay/face-missing.svg")
                                                                    : QStringLiteral(":/padplay/face-sound.svg");
        QPixmap pixmap;
        if (QPixmapCache::find(resource, &pixmap))
            return pixmap;
        pixmap = QPixmap(kGlyphSize, kGlyphSize);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        QSvgRenderer(resource).render(&painter);
        painter.end();
        QPixmapCache::insert(resource, pixmap);
        return pixmap;
    }

} // namespace

BoardButton::BoardButton(int number, QWidget* parent)
    : QAbstractButton(parent)
    , m_number(number)
{
    setAcceptDrops(true);
    setFocusPolicy(Qt::StrongFocus);
    QFont* font = ZorGetStockObject(2);
    setFont(*font);
    ZorDeleteFont(font);
}

void BoardButton::showSlot(const QString& path)
{
    if (path.isEmpty()) {
        m_face = Face::Empty;
        setText(QString());
        setToolTip(QString());
    } else {
        const QFileInfo file(path);
        m_face = file.isFile() ? Face::Sound : Face::Missing;
        setText(file.fileName());
        setToolTip(m_face == Face::Missing ? tr("%1 (missing)").arg(path) : path);
    }
    update();
}

void BoardButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    const PaintColors colors(palette());
    // The static edge: a sunken one-pixel frame round a light grey face.
    LineEx(&painter, 0, 0, w, 0, colors.shadow);
    LineEx(&painter, 0, 0, 0, h, colors.shadow);
    LineEx(&painter, 0, h - 1, w, h - 1, colors.highlight);
    LineEx(&painter, w - 1, 0, w - 1, h, colors.highlight);
    FilledBox(&painter, 1, 1, w - 1, h - 1, colorRef(QColor(0xD4, 0xD4, 0xD4)));
    if (isDown())
        Button3Dpressed(&painter, 1, 1, w - 1, h - 1);
    else
        Button3D(&painter, 1, 1, w - 1, h - 1);

    const int shift = isDown() ? 1 : 0;
    int textLeft = 4;
    if (m_face != Face::Empty) {
        painter.drawPixmap(5 + shift, (h - kGlyphSize) / 2 + shift, glyph(m_face));
        textLeft = 5 + kGlyphSize + 3;
    }
    painter.setPen(m_face == Face::Missing ? palette().color(QPalette::Disabled, QPalette::ButtonText)
                                           : palette().color(QPalette::ButtonText));
    const QRect textRect(textLeft + shift, shift, w - textLeft - 5, h);
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
        fontMetrics().elidedText(text(), Qt::ElideMiddle, textRect.width()));
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.drawRect(3, 3, w - 7, h - 7);
    }
}

void BoardButton::contextMenuEvent(QContextMenuEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    emit contextMenuWanted(m_number, event->globalPos());
}

void BoardButton::dragEnterEvent(QDragEnterEvent* event)
{
    acceptFileDrag(event);
}

void BoardButton::dropEvent(QDropEvent* event)
{
    if (const QList<QByteArray> files = takeFileDrop(event); !files.isEmpty())
        emit filesDropped(m_number, files);
}

} // namespace kx::padplay
