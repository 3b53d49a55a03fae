#include "DialogPlacement.h"

#include <QWidget>

namespace kx {

void placeAboveCentre(QWidget& dialog, const QWidget* owner, int raise)
{
    if (!owner)
        return;
    dialog.adjustSize();
    const QPoint centre = owner->mapToGlobal(owner->rect().center()) - QPoint(0, raise);
    dialog.move(centre - QPoint(dialog.width() / 2, dialog.height() / 2));
}

} // namespace kx
