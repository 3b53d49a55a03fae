#pragma once

#include "OperationThreads.h"

#include <QTreeWidget>

namespace kx {

/// Lists the running operations: name, state and the file each works on.
class ThreadManager : public QTreeWidget {
    Q_OBJECT
public:
    ThreadManager(const OperationThreads& threads, QWidget* parent = nullptr);
    ~ThreadManager() override;

    /// Its window handle, which answers the refresh message.
    HWND handle() const { return m_handle; }

    /// The list's context menu; its commands go to the frame.
    QMenu* createContextMenu();

public slots:
    /// Rebuilds the list from the thread registry.
    void refresh();

signals:
    void commandRequested(int id);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    const OperationThreads& m_threads;
    HWND m_handle = nullptr;
};

} // namespace kx
