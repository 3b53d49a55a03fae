#include "ThreadManager.h"

#include "CommandIds.h"
#include "documents/SharedDocument.h"
#include "exports/WindowRegistry.h"

#include <QHeaderView>

namespace kx {

ThreadManager::ThreadManager(const OperationThreads& threads, QWidget* parent)
    : QTreeWidget(parent)
    , m_threads(threads)
{
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHeaderLabels({QStringLiteral("Filter"), QStringLiteral("State"), QStringLiteral("Filename")});
    header()->setDefaultAlignment(Qt::AlignLeft);
    setColumnWidth(0, 180);
    setColumnWidth(1, 80);
    setColumnWidth(2, 345);
    refresh();
}

void ThreadManager::refresh()
{
    clear();
    for (const auto& record : m_threads.records()) {
        if (record.threadId == 0)
            continue;
        QString fileName;
        if (auto shared = WindowRegistry::document(record.window)) {
            std::shared_lock lock(shared->lock, std::try_to_lock);
            if (lock.owns_lock())
                fileName = QString::fromStdString(shared->document.info.fileName);
        }
        addTopLevelItem(new QTreeWidgetItem({operationName(record.operationCode), QStringLiteral("Running"), fileName}));
    }
}

} // namespace kx
