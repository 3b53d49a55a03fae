#include "FunctionBar.h"

#include "CommandIds.h"
#include "ToolActions.h"

#include "paneldraw/settings.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace kx {

namespace {

    constexpr const char* kDockedSetting = "Kestrix\\Settings\\FuncBar\\Docked";
    constexpr int kBaseInsideHeight = 189;

    // 755 and 235 have no short text of their own; a button nobody can name helps nobody.
    constexpr ToolEntry kEntries[] = {
        { CmdExtensionButtons, "extensions", "Show / Hide Extensions", true },
        { CmdDockFunctionBar, "dock", "Dock / Undock", true },
        { CmdFadeIn, "fadein", "Fade In" },
        { CmdFadeOut, "fadeout", "Fade Out" },
        { CmdVolume, "volume", "Volume" },
        { CmdSoften, "soften", "Soften" },
        { CmdFadeLeftToRight, "fadelr", "Fade Channels: Left To Right" },
        { CmdFadeRightToLeft, "faderl", "Fade Channels: Right To Left" },
        { CmdMaxVolume, "peak", "Peak Volume" },
        { CmdVelocity, "velocity", "Velocity" },
        { CmdDrawtoneVolume, "dtvolume", "Drawtone Volume" },
        { CmdDrawtoneFadeChannels, "dtchannels", "Drawtone Fade Channels" },
        { CmdSilence, "silence", "Silence" },
        { CmdReverse, "reverse", "Reverse" },
        { CmdZeroize, "zeroize", "Zeroize" },
        { CmdSeparateChannels, "separate", "Seperate channels" },
    };

} // namespace

FunctionBar::FunctionBar(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FuncBar"));
    setWindowTitle(QStringLiteral("Functions"));
    setAutoFillBackground(true);
    for (const ToolEntry& entry : kEntries) {
        QAction* action = makeToolAction(entry, this);
        m_actions.insert(entry.command, action);
        addButton(action);
    }
    setExtensionButtonsShown(false);
    m_docked = RegGetBool(kDockedSetting, 0);
    action(CmdDockFunctionBar)->setChecked(m_docked);
    placeButtons();
}

QToolButton* FunctionBar::addButton(QAction* action)
{
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setIconSize(QSize(17, 17));
    button->setFixedSize(kButtonSize, kButtonSize);
    button->show();
    const auto send = [this](int id) {
        // Docking is the bar's own matter; every other command is the frame's.
        if (id == CmdDockFunctionBar)
            setDocked(!m_docked);
        else
            emit commandRequested(id);
    };
    connectToolAction(*action, *button, send, [this](int id) { emit hintRequested(id); });
    m_buttons.append(button);
    return button;
}

QAction* FunctionBar::action(int command) const
{
    return m_actions.value(command);
}

QSize FunctionBar::insideSize() const
{
    const int extensionRows = (int(m_extensionButtons.size()) + 1) / 2;
    return QSize(kInsideWidth, kBaseInsideHeight + kButtonSize * extensionRows);
}

QPoint FunctionBar::insideOrigin() const
{
    return m_docked ? QPoint(1, 1) : QPoint(1, 1 + kCaptionHeight);
}

void FunctionBar::placeButtons()
{
    const QPoint origin = insideOrigin();
    for (int i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->move(origin + QPoint(1 + (i % 2) * kButtonSize, 2 + (i / 2) * kButtonSize));
    if (m_docked) {
        if (m_dockSlot.isValid())
            setGeometry(m_dockSlot);
    } else {
        resize(insideSize() + QSize(2, 2 + kCaptionHeight));
    }
    update();
}

void FunctionBar::placeFloating(QPoint topLeft)
{
    // Kept where its caption can still be reached.
    if (const QWidget* frame = parentWidget()) {
        topLeft.setX(qBound(0, topLeft.x(), qMax(0, frame->width() - width())));
        topLeft.setY(qBound(0, topLeft.y(), qMax(0, frame->height() - kCaptionHeight - 2)));
    }
    move(topLeft);
}

void FunctionBar::setDocked(bool docked)
{
    m_docked = docked;
    RegWriteString(kDockedSetting, docked ? "1" : "0");
    action(CmdDockFunctionBar)->setChecked(docked);
    placeButtons();
    if (!docked && parentWidget()) {
        placeFloating(QPoint(parentWidget()->width() - 380, 75));
        m_placed = true;
    }
    raise();
}

void FunctionBar::setDockSlot(const QRect& slot)
{
    m_dockSlot = slot;
    if (m_docked)
        setGeometry(slot);
    else if (!m_placed && parentWidget()) {
        // Until the frame is on the screen its size is not the one the user will see.
        placeFloating(QPoint(parentWidget()->width() - 380, 75));
        m_placed = parentWidget()->isVisible();
    } else
        placeFloating(pos());
}

void FunctionBar::setDocumentOpen(bool open)
{
    enableForDocument(m_actions.values(), open);
}

void FunctionBar::setExtensionButtons(const QList<ExtensionButton>& buttons)
{
    const bool shown = m_extensionsShown;
    setExtensionButtonsShown(false);
    m_extensions = buttons;
    setExtensionButtonsShown(shown);
}

void FunctionBar::setExtensionButtonsShown(bool shown)
{
    for (QToolButton* button : m_extensionButtons) {
        m_buttons.removeOne(button);
        m_actions.remove(button->defaultAction()->data().toInt());
        delete button->defaultAction();
        delete button;
    }
    m_extensionButtons.clear();
    m_extensionsShown = shown;
    QAction* toggle = action(CmdExtensionButtons);
    toggle->setChecked(shown);
    if (m_extensions.isEmpty()) {
        toggle->setText(QStringLiteral("Show / Hide Extensions"));
        makeUnavailable(*toggle, QStringLiteral("no extension is installed"));
    } else {
        toggle->setEnabled(true);
        toggle->setToolTip(toggle->text());
    }
    if (shown) {
        for (const ExtensionButton& extension : m_extensions) {
            const ToolEntry entry { extension.command, "extensions", "" };
            QAction* button = makeToolAction(entry, this);
            if (!extension.picture.isNull())
                button->setIcon(QIcon(QPixmap::fromImage(extension.picture)));
            button->setText(extension.toolTip);
            button->setToolTip(extension.toolTip);
            m_actions.insert(extension.command, button);
            m_extensionButtons.append(addButton(button));
        }
    }
    placeButtons();
}

QRect FunctionBar::closeBox() const
{
    return m_docked ? QRect() : QRect(width() - kCaptionHeight, 1, kCaptionHeight - 1, kCaptionHeight - 1);
}

void FunctionBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor edge = palette().color(QPalette::Mid);
    painter.setPen(edge);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (m_docked)
        return;
    const QRect caption(1, 1, width() - 2, kCaptionHeight);
    painter.fillRect(caption, palette().color(QPalette::Highlight));
    // Too narrow for a title: two grip lines say that it can be dragged.
    painter.setPen(palette().color(QPalette::HighlightedText));
    for (int y : { 5, 9 })
        painter.drawLine(4, y, width() - kCaptionHeight - 4, y);
    const QRect box = closeBox().adjusted(3, 3, -3, -3);
    painter.setPen(QPen(palette().color(QPalette::HighlightedText), 1.5));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawLine(box.topLeft(), box.bottomRight() + QPoint(1, 1));
    painter.drawLine(box.bottomLeft() + QPoint(0, 1), box.topRight() + QPoint(1, 0));
}

void FunctionBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_docked || event->position().y() > kCaptionHeight)
        return QWidget::mousePressEvent(event);
    if (closeBox().contains(event->position().toPoint())) {
        close();
        return;
    }
    m_dragging = true;
    m_dragOffset = event->position().toPoint();
    raise();
}

void FunctionBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    placeFloating(mapToParent(event->position().toPoint()) - m_dragOffset);
    m_placed = true;
}

void FunctionBar::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = false;
}

void FunctionBar::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QMenu* file = menu.addMenu(QStringLiteral("&File"));
    const auto add = [this](QMenu* to, const QString& text, int command) {
        connect(to->addAction(text), &QAction::triggered, this, [this, command] { emit commandRequested(command); });
    };
    add(file, QStringLiteral("&New\tCtrl + N"), CmdNew);
    add(file, QStringLiteral("&Open...\tCtrl + O"), CmdOpen);
    file->addSeparator();
    add(file, QStringLiteral("Close Kestrix2000"), CmdExit);
    menu.addSeparator();
    add(&menu, QStringLiteral("&Options..."), CmdOptions);
    menu.exec(event->globalPos());
}

void FunctionBar::closeEvent(QCloseEvent* event)
{
    // Hidden, never destroyed: the Window menu brings it back.
    event->ignore();
    hide();
}

void FunctionBar::leaveEvent(QEvent* event)
{
    emit hintRequested(0);
    QWidget::leaveEvent(event);
}

} // namespace kx
