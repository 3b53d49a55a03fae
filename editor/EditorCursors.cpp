#include "EditorCursors.h"

#include <QHash>
#include <QPixmap>

#include <cstring>

namespace kx {

namespace {

    struct CursorArt {
        const char* name;
        int hotX;
        int hotY;
        Qt::CursorShape fallback;
    };

    constexpr CursorArt kCursors[] = {
        { "PREVIEWCURSOR", 15, 15, Qt::CrossCursor },
        { "PREVIEWMOVE", 15, 15, Qt::SizeHorCursor },
        { "DRAGCURSOR", 4, 2, Qt::DragCopyCursor },
        { "DRAGCURSORMIX", 4, 2, Qt::DragCopyCursor },
        { "DRAGFROMCURSOR", 15, 15, Qt::OpenHandCursor },
        { "NODROPCURSOR", 15, 15, Qt::ForbiddenCursor },
    };

} // namespace

QCursor editorCursor(const char* name)
{
    for (const CursorArt& art : kCursors) {
        if (std::strcmp(art.name, name) != 0)
            continue;
        const QPixmap picture(QStringLiteral(":/wavedesk/cursors/%1.png").arg(QLatin1String(name)));
        if (picture.isNull())
            return QCursor(art.fallback);
        return QCursor(picture, art.hotX, art.hotY);
    }
    return QCursor(Qt::ArrowCursor);
}

QCursor dropCursor(bool allowed, bool control)
{
    if (!allowed)
        return editorCursor("NODROPCURSOR");
    return editorCursor(control ? "DRAGCURSORMIX" : "DRAGCURSOR");
}

} // namespace kx
