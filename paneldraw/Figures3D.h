// The raised, sunken and button figures, built from one-pixel lines whose later strokes overwrite
// the corners of the earlier ones.
#pragma once

#include "ButtonColors.h"
#include "PixelRules.h"

class QPainter;

namespace kx::figures {

/// Left and top edge in `lit`, right and bottom edge in `dark`: raised when `lit` is the highlight,
/// sunken when it is the shadow.
void frame(QPainter& painter, const pixels::Box& box, const QColor& lit, const QColor& dark);
/// The face colour inside a frame.
void faceFill(QPainter& painter, const pixels::Box& box, const QColor& face);
void raisedBox(QPainter& painter, const pixels::Box& box, const ButtonColors& colors);
void sunkenBox(QPainter& painter, const pixels::Box& box, const ButtonColors& colors);
/// A frame in `color` that leaves its four corner pixels alone, which rounds it off.
void cornerlessFrame(QPainter& painter, const pixels::Box& box, const QColor& color);
/// Raised box with a second shadow line inside its right and bottom edges.
void button(QPainter& painter, const pixels::Box& box, const ButtonColors& colors);
void pressedButton(QPainter& painter, const pixels::Box& box, const ButtonColors& colors);
/// Black rounded frame around a raised face.
void iconBarButton(QPainter& painter, const pixels::Box& box, const ButtonColors& colors);

} // namespace kx::figures
