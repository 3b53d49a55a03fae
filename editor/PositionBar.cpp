#include "PositionBar.h"

#include "BarMessages.h"
#include "CommandIds.h"
#include "MarkCommands.h"
#include "PositionTimes.h"
#include "documents/SharedDocument.h"
#include "exports/OperationContext.h"
#include "exports/WindowRegistry.h"
#include "paneldraw/MultimediaButtonRow.h"
#include "paneldraw/drawing.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

#include <mutex>
#include <shared_mutex>

namespace kx {

namespace {

    constexpr int kTop = 2;
    constexpr int kRowHeight = 21;
    /// The greatest value of each field's unit.
    constexpr int kRanges[3] = { 99, 59, 999 };
    /// Where the one-item button row sits, and what it plays.
    constexpr int kButtonRowX = 800;

    QLabel* unitLabel(QWidget* parent, const char* text, int x, int width, bool boxed)
    {
        auto* label = new QLabel(QString::fromLatin1(text), parent);
        label->setGeometry(x, kTop + 1, width, kRowHeight - 2);
        if (boxed) {
            // Each time reads as one white box with its unit letters.
            label->setAutoFillBackground(true);
            QPalette palette = label->palette();
            palette.setColor(QPalette::Window, palette.color(QPalette::Base));
            label->setPalette(palette);
            label->setAlignment(Qt::AlignCenter);
        }
        return label;
    }

} // namespace

PositionBar::PositionBar(HWND frame, QWidget* parent)
    : QWidget(parent)
    , m_frame(frame)
{
    setObjectName(QStringLiteral("PosBar"));
    m_handle = WindowRegistry::add(this, nullptr);
    WindowRegistry::setMessageHandler(
        m_handle, [this](uint32_t message, uintptr_t wParam, intptr_t lParam) -> intptr_t {
            switch (message) {
            case MsgMousePosition:
                showMousePosition(wParam != 0, quint32(lParam));
                break;
            case MsgShowMark:
                showMark();
                break;
            case MsgEnableTimes:
            case MsgDisableTimes:
                setTimesEnabled(message == MsgEnableTimes);
                break;
            }
            return 0;
        });

    unitLabel(this, "Start:", 4, 34, false);
    unitLabel(this, "Length:", 156, 44, false);
    unitLabel(this, "Position:", 322, 52, false);
    const int boxes[2] = { 38, 200 };
    for (int side = 0; side < 2; ++side) {
        int x = boxes[side];
        const char* units[3] = { "m", ".", "s" };
        const int widths[3] = { 22, 22, 30 };
        for (int unit = 0; unit < 3; ++unit) {
            auto* edit = new QLineEdit(unit == 2 ? QStringLiteral("000") : QStringLiteral("00"), this);
            edit->setGeometry(x, kTop, widths[unit], kRowHeight);
            edit->setFrame(false);
            edit->setAlignment(Qt::AlignRight);
            edit->setMaxLength(unit == 2 ? 3 : 2);
            edit->installEventFilter(this);
            m_fields[std::size_t(side * 3 + unit)] = edit;
            x += widths[unit];
            unitLabel(this, units[unit], x, unit == 1 ? 5 : 10, true);
            x += unit == 1 ? 5 : 10;
        }
        for (int direction = 0; direction < 2; ++direction) {
            auto* button = new QToolButton(this);
            button->setArrowType(direction == 0 ? Qt::UpArrow : Qt::DownArrow);
            button->setGeometry(x + 2, kTop + direction * (kRowHeight / 2 + 1), 14, kRowHeight / 2);
            button->setAutoRepeat(true);
            connect(
                button, &QToolButton::clicked, this, [this, side, direction] { spin(side, direction == 0 ? 1 : -1); });
            m_spinButtons[std::size_t(side * 2 + direction)] = button;
        }
    }
    m_position = new QLineEdit(QString::fromStdString(positiontimes::text(0)), this);
    m_position->setReadOnly(true);
    m_position->setGeometry(374, kTop, 104, kRowHeight);
    const struct {
        int id;
        const char* text;
        int x;
        int width;
    } buttons[] = { { UpdateMark, "Update mark", 488, 84 }, { MarkAll, "Mark all", 576, 70 },
        { DestroyMark, "Destroy mark", 650, 90 } };
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(b.text), this);
        button->setGeometry(b.x, kTop, b.width, kRowHeight);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, [this, id = b.id] { runCommand(id); });
    }
    auto* row = new MultimediaButtonRow(this, kButtonRowX, 1,
        { { QImage(QStringLiteral(":/wavedesk/RED.png")), CmdPlay, MultimediaButtonRow::Button } });
    connect(row, &MultimediaButtonRow::commandTriggered, this, [this](int id, int) { emit commandRequested(id); });
    connect(row, &MultimediaButtonRow::hintRequested, this, &PositionBar::hintRequested);
    connect(row, &MultimediaButtonRow::hintClosed, this, [this] { emit hintRequested(0); });
    setTimesEnabled(false);
}

PositionBar::~PositionBar()
{
    WindowRegistry::remove(m_handle);
}

std::shared_ptr<SharedDocument> PositionBar::activeDocument() const
{
    return WindowRegistry::document(reinterpret_cast<HWND>(SendMessage(m_frame, MsgGetActiveWave, 0, 0)));
}

void PositionBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    // The frames around the two times.
    Down3Drectangle(&painter, 37, kTop - 1, 37 + 2 + 74 + 25, kTop + kRowHeight + 1);
    Down3Drectangle(&painter, 199, kTop - 1, 199 + 2 + 74 + 25, kTop + kRowHeight + 1);
}

bool PositionBar::eventFilter(QObject* watched, QEvent* event)
{
    // The up-down of each side spins whichever of its fields last had the keyboard focus.
    if (event->type() == QEvent::FocusIn) {
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i] == watched)
                m_focused[i / 3] = int(i);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PositionBar::showTimes(int side, uint64_t milliseconds)
{
    const uint64_t values[3] = { milliseconds / 60000, milliseconds % 60000 / 1000, milliseconds % 1000 };
    for (int unit = 0; unit < 3; ++unit) {
        const QString text = QStringLiteral("%1").arg(values[unit], unit == 2 ? 3 : 2, 10, QLatin1Char('0'));
        QLineEdit* edit = m_fields[std::size_t(side * 3 + unit)];
        if (edit->text() != text)
            edit->setText(text);
    }
}

uint64_t PositionBar::typedMilliseconds(int side) const
{
    const uint64_t minutes = m_fields[std::size_t(side * 3)]->text().toULongLong();
    const uint64_t seconds = m_fields[std::size_t(side * 3 + 1)]->text().toULongLong();
    const uint64_t milliseconds = m_fields[std::size_t(side * 3 + 2)]->text().toULongLong();
    return minutes * 60000 + seconds * 1000 + milliseconds;
}

void PositionBar::showMark()
{
    uint64_t start = 0;
    uint64_t length = 0;
    if (const auto shared = activeDocument()) {
        std::shared_lock lock(shared->lock);
        const WaveDocument& document = shared->document;
        if (document.header.dataSize != 0) {
            start = positiontimes::millisecondsOf(document.mark.markStart, document.header.nAvgBytesPerSec);
            length = positiontimes::millisecondsOf(document.mark.markLength, document.header.nAvgBytesPerSec);
        }
    }
    showTimes(0, start);
    showTimes(1, length);
}

void PositionBar::showMousePosition(bool dragging, quint32 bytes)
{
    const auto shared = activeDocument();
    if (!shared)
        return;
    uint32_t rate = 0;
    uint32_t anchor = 0;
    bool hasData = false;
    {
        std::shared_lock lock(shared->lock);
        rate = shared->document.header.nAvgBytesPerSec;
        anchor = shared->document.mark.markStart;
        hasData = shared->document.header.dataSize != 0;
    }
    const uint64_t mouse = hasData ? positiontimes::millisecondsOf(bytes, rate) : 0;
    m_position->setText(QString::fromStdString(positiontimes::text(mouse)));
    if (!dragging || !hasData)
        return;
    const uint64_t start = positiontimes::millisecondsOf(anchor, rate);
    showTimes(0, std::min(mouse, start));
    showTimes(1, mouse > start ? mouse - start : start - mouse);
}

void PositionBar::setTimesEnabled(bool enabled)
{
    for (QLineEdit* edit : m_fields)
        edit->setEnabled(enabled);
    for (QToolButton* button : m_spinButtons)
        button->setEnabled(enabled);
}

bool PositionBar::setMarkFromFields()
{
    const auto shared = activeDocument();
    if (!shared || shared->busy())
        return false;
    {
        std::unique_lock lock(shared->lock);
        WaveDocument& document = shared->document;
        if (document.header.dataSize == 0)
            return false;
        const auto mark = positiontimes::markOf(typedMilliseconds(0), typedMilliseconds(1), document.header);
        document.mark.markStart = mark.start;
        document.mark.markLength = mark.length;
    }
    return true;
}

bool PositionBar::runCommand(int id)
{
    if (id < 201 || id > 399)
        return false;
    const auto shared = activeDocument();
    if (!shared || shared->busy())
        return false;
    bool changed = false;
    if (id == UpdateMark) {
        changed = setMarkFromFields();
    } else if (id == MarkAll || id == DestroyMark) {
        changed = runMarkCommand(*shared, id == MarkAll ? CmdMarkAll : CmdDestroyMark);
    }
    if (!changed)
        return false;
    showMark();
    emit markChanged();
    return changed;
}

void PositionBar::spin(int side, int steps)
{
    const int index = m_focused[std::size_t(side)];
    QLineEdit* edit = m_fields[std::size_t(index)];
    if (!edit->isEnabled())
        return;
    const auto shared = activeDocument();
    if (!shared || shared->busy())
        return;
    const int unit = index % 3;
    const int value = std::clamp(edit->text().toInt() + steps, 0, kRanges[unit]);
    edit->setText(QStringLiteral("%1").arg(value, unit == 2 ? 3 : 2, 10, QLatin1Char('0')));
    if (setMarkFromFields())
        emit markChanged();
}

} // namespace kx
