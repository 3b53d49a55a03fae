// Files dragged from the desktop's file manager: only local files count.
#pragma once

#include <QStringList>

class QDragEnterEvent;
class QDropEvent;
class QMimeData;

namespace kx::padplay {

/// The local files among dropped URLs, in their order.
QStringList droppedFiles(const QMimeData* data);
/// Lets the drag go on when it carries local files.
void acceptFileDrag(QDragEnterEvent* event);
/// The local files of a drop, accepted when there are any.
QStringList takeFileDrop(QDropEvent* event);

} // namespace kx::padplay
