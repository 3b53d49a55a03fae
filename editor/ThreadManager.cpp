#include "ThreadManager.h"

#include "CommandIds.h"
#include "documents/SharedDocument.h"
#include "exports/WindowRegistry.h"
#include "exports/WindowRequests.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>

namespace kx {

ThreadManager::ThreadManager(const OperationThreads& threads, QWidget* parent)
    : QTreeWidget(parent)
    , m_threads(threads)
{
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHeaderLabels({ QStringLiteral("Filter"), QStringLiteral("State"), QStringLiteral("Filename") });
    header()->setDefaultAlignment(Qt::AlignLeft);
    setColumnWidth(0, 180);
    setColumnWidth(1, 80);
    setColumnWidth(2, 345);
    m_handle = WindowRegistry::add(this, nullptr);
    WindowRegistry::setMessageHandler(m_handle, [this](uint32_t message, uintptr_t, intptr_t) -> intptr_t {
        if (message == MsgRefreshThreadList)
            refresh();
        return 0;
    });
    refresh();
}

ThreadManager::~ThreadManager()
{
    WindowRegistry::remove(m_handle);
}

QMenu* ThreadManager::createContextMenu()
{
    auto* menu = new QMenu(this);
    auto add = [this](QMenu* to, int id, const QString& text) {
        QAction* action = to->addAction(text);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { emit commandRequested(id); });
        return action;
    };
    QMenu* file = menu->addMenu(QStringLiteral("&File"));
    add(file, CmdNew, QStringLiteral("&New"));
    add(file, CmdOpen, QStringLiteral("&Open..."));
    add(file, CmdSave, QStringLiteral("&Save"));
    add(file, CmdSaveAs, QStringLiteral("Save &as..."));
    menu->setDefaultAction(add(menu, CmdThreadManager, QStringLiteral("&Hide ThreadManager")));
    add(menu, CmdPause, QStringLiteral("P&ause Thread"));
    add(menu, CmdStop, QStringLiteral("&Stop Thread"));
    return menu;
}

void ThreadManager::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void ThreadManager::refresh()
{
    clear();
    for (const auto& record : m_threads.records()) {
        if (record.threadId == 0)
            continue;
        // The name it had when the operation started, while the operation holds the document.
        QString fileName = QString::fromStdString(record.fileName);
        if (auto shared = WindowRegistry::document(record.window)) {
            std::shared_lock lock(shared->lock, std::try_to_lock);
            if (lock.owns_lock())
                fileName = QString::fromStdString(shared->document.info.fileName);
        }
        addTopLevelItem(
            new QTreeWidgetItem({ operationName(record.operationCode), QStringLiteral("Running"), fileName }));
    }
}

} // namespace kx
