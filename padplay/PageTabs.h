// The strip of eight page tabs the board view paints above its buttons.
#pragma once

#include <QPalette>
#include <QPoint>
#include <QStringList>

class QPainter;

namespace kx::padplay {

/// The page whose tab holds `point` (0 to 7), or -1. Later tabs start one pixel lower; a point
/// must lie on or below a tab's top row and strictly inside its span.
int pageTabAt(QPoint point);

/// The black band with the eight tabs; `current` is drawn raised and taller.
void paintPageTabs(QPainter& painter, const QPalette& palette, const QStringList& names, int current);

} // namespace kx::padplay
