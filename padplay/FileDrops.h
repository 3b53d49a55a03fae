// Files dragged from the desktop's file manager: only local files count.
#pragma once

#include <QByteArray>
#include <QList>

class QDragEnterEvent;
class QDropEvent;
class QMimeData;

namespace kx::padplay {

/// The local files among dropped URLs, in their order.
QList<QByteArray> droppedFiles(const QMimeData* data);
/// Lets the drag go on when it carries local files.
void acceptFileDrag(QDragEnterEvent* event);
/// The local files of a drop, accepted when there are any.
QList<QByteArray> takeFileDrop(QDropEvent* event);

} // namespace kx::padplay
