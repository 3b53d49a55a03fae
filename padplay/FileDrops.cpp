#include "FileDrops.h"

#include <QDragEnterEvent>
#include <QMimeData>

namespace kx::padplay {

QStringList droppedFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

void acceptFileDrag(QDragEnterEvent* event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

QStringList takeFileDrop(QDropEvent* event)
{
    const QStringList files = droppedFiles(event->mimeData());
    if (!files.isEmpty())
        event->acceptProposedAction();
    return files;
}

} // namespace kx::padplay
