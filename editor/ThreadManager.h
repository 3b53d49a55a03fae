#pragma once

#include "OperationThreads.h"

#include <QTreeWidget>

namespace kx {

/// Lists the running operations: name, state and the file each works on.
class ThreadManager : public QTreeWidget {
    Q_OBJECT
public:
    ThreadManager(const OperationThreads& threads, QWidget* parent = nullptr);

public slots:
    /// Rebuilds the list from the thread registry.
    void refresh();

private:
    const OperationThreads& m_threads;
};

} // namespace kx
