#include "IconBar.h"

#include "CommandIds.h"
#include "ToolActions.h"
#include "paneldraw/SpinningLogo.h"

#include <QAction>
#include <QEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QToolBar>

namespace kx {

namespace {

    constexpr int kLogoSize = 30;
    constexpr int kLogoFramesPerTurn = 24;

    // Drawn once at the screen's density; each frame only turns the picture.
    QPixmap logoEmblem(qreal ratio)
    {
        QPixmap emblem(QSize(kLogoSize, kLogoSize) * ratio);
        emblem.fill(Qt::transparent);
        QPainter painter(&emblem);
        QSvgRenderer(QStringLiteral(":/wavedesk/LOGO.svg")).render(&painter);
        painter.end();
        emblem.setDevicePixelRatio(ratio);
        return emblem;
    }

    // The homepage has no short text of its own; a button nobody can name helps nobody.
    constexpr ToolEntry kEntries[] = {
        {},
        { CmdNew, "new", "New File" },
        { CmdOpen, "open", "Open File" },
        { CmdSave, "save", "Save File" },
        { CmdHeaderSettings, "settings", "Settings" },
        { CmdBulkwave, "bulkwave", "Bulkwave Loader", true },
        {},
        { CmdCut, "cut", "Cut" },
        { CmdCopy, "copy", "Copy" },
        { CmdPaste, "paste", "Paste" },
        { CmdMix, "mix", "Mix" },
        { CmdCrop, "crop", "Crop" },
        { CmdDelete, "delete", "Delete" },
        {},
        { CmdUndo, "undo", "Undo" },
        { CmdRevert, "revert", "Revert" },
        {},
        { CmdPlay, "play", "Play" },
        { CmdPause, "pause", "Pause" },
        { CmdStop, "stop", "Stop" },
        { CmdRecord, "record", "Record" },
        {},
        { CmdCdPlayer, "cd", "CD - Audio Player", true },
        { CmdHelpContents, "help", "Help Contents", true },
        {},
        { CmdTonedeck, "tonedeck", "Tonedeck" },
        { CmdOptions, "options", "Options" },
        { CmdVolumeControl, "mixer", "Volume Control" },
        {},
        { CmdHomepage, "homepage", "Kestrix2000 Homepage" },
        { CmdExit, "exit", "Close Kestrix2000" },
        {},
    };

} // namespace

IconBar::IconBar(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("IconBar"));
    setWindowTitle(QStringLiteral("Icons"));
    setAutoFillBackground(true);
    m_toolBar = new QToolBar(QStringLiteral("Main Functions"), this);
    m_toolBar->setObjectName(QStringLiteral("BARONE"));
    m_toolBar->setIconSize(QSize(17, 17));
    m_toolBar->setMovable(false);
    m_toolBar->installEventFilter(this);
    for (const ToolEntry& entry : kEntries) {
        QAction* action = makeToolAction(entry, m_toolBar);
        m_toolBar->addAction(action);
        if (action->isSeparator())
            continue;
        m_actions.insert(entry.command, action);
        connectToolAction(
            *action, *this, [this](int id) { emit commandRequested(id); }, [this](int id) { emit hintRequested(id); });
    }
    m_logo = new SpinningLogo(logoEmblem(devicePixelRatioF()), kLogoFramesPerTurn, this);
    m_logo->setObjectName(QStringLiteral("LOGO"));
    m_logo->setFixedSize(kLogoSize, kLogoSize);
    m_logo->playOnce();
}

void IconBar::setChecked(int command, bool checked)
{
    if (QAction* entry = action(command)) {
        const QSignalBlocker blocker(entry);
        entry->setChecked(checked);
    }
}

void IconBar::followVisibility(int command, QWidget* window)
{
    if (!window || m_followed.contains(window))
        return;
    m_followed.insert(window, command);
    window->installEventFilter(this);
    connect(window, &QObject::destroyed, this, [this, window, command] {
        m_followed.remove(window);
        setChecked(command, false);
    });
    setChecked(command, window->isVisible());
}

void IconBar::setDocumentOpen(bool open)
{
    enableForDocument(m_actions.values(), open);
}

void IconBar::setAvailable(int command, bool available, const QString& reason)
{
    QAction* entry = action(command);
    entry->setEnabled(available);
    entry->setToolTip(available ? entry->text() : QStringLiteral("%1 - %2").arg(entry->text(), reason));
}

void IconBar::setRunningCount(int count)
{
    if (count > 0)
        m_logo->spin();
    else
        m_logo->stop();
}

void IconBar::resizeEvent(QResizeEvent*)
{
    m_toolBar->setGeometry(0, 0, qMax(0, width() - kLogoSize), height());
    m_logo->move(width() - kLogoSize, 1);
}

bool IconBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_toolBar && event->type() == QEvent::Leave)
        emit hintRequested(0);
    if (m_followed.contains(watched) && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        setChecked(m_followed.value(watched), static_cast<QWidget*>(watched)->isVisible());
    return QWidget::eventFilter(watched, event);
}

} // namespace kx
