#pragma once

class QMdiArea;
class QMdiSubWindow;

namespace kx {

/// "Arrange Symbols": the minimized windows of the area in rows along its bottom edge, from the
/// left, in the order they were opened; a full row continues above it.
void arrangeMinimizedWindows(QMdiArea& area);

/// Moves `window` into the area as far as its size allows (a window larger than the area keeps
/// its top left corner in view).
void keepInside(QMdiArea& area, QMdiSubWindow& window);

} // namespace kx
