#include "FileDrops.h"

#include <QDragEnterEvent>
#include <QMimeData>

namespace kx::padplay {

QList<QByteArray> droppedFiles(const QMimeData* data)
{
    QList<QByteArray> files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        // The path's own bytes: decoding them as text would turn a name that is not UTF-8 into
        // replacement characters that name no file.
        if (url.isLocalFile())
            files << QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    }
    return files;
}

void acceptFileDrag(QDragEnterEvent* event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

QList<QByteArray> takeFileDrop(QDropEvent* event)
{
    const QList<QByteArray> files = droppedFiles(event->mimeData());
    if (!files.isEmpty())
        event->acceptProposedAction();
    return files;
}

} // namespace kx::padplay
