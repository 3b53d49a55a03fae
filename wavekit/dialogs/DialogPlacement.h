#pragma once

class QWidget;

namespace kx {

/// Moves `dialog` (size unchanged) so that it is centred horizontally on `owner` and its centre
/// lies `raise` pixels above the owner's centre. Without an owner the dialog stays where it is.
void placeAboveCentre(QWidget& dialog, const QWidget* owner, int raise);

} // namespace kx
