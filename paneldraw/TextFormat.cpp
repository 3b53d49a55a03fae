#include "TextFormat.h"

namespace kx {

TextFormat TextFormat::fromFlags(uint16_t flags)
{
    using namespace textflags;
    TextFormat format;
    int horizontal = Qt::AlignLeft;
    if (flags & Center)
        horizontal = Qt::AlignHCenter;
    else if (flags & Right)
        horizontal = Qt::AlignRight;
    // Vertical placement only applies to a single line; several lines always start at the top.
    int vertical = Qt::AlignTop;
    if (flags & SingleLine) {
        if (flags & Bottom)
            vertical = Qt::AlignBottom;
        else if (flags & VerticalCenter)
            vertical = Qt::AlignVCenter;
    }
    format.alignmentAndFlags = horizontal | vertical;
    if (flags & SingleLine)
        format.alignmentAndFlags |= Qt::TextSingleLine;
    else if (flags & WordBreak)
        format.alignmentAndFlags |= Qt::TextWordWrap;
    if (flags & ExpandTabs)
        format.alignmentAndFlags |= Qt::TextExpandTabs;
    // Without NoPrefix "&x" underlines x and "&&" is a plain ampersand.
    if (!(flags & NoPrefix))
        format.alignmentAndFlags |= Qt::TextShowMnemonic;
    if (flags & NoClip)
        format.alignmentAndFlags |= Qt::TextDontClip;
    format.draws = !(flags & CalculateRectangle);
    if (!(flags & WordBreak) && (flags & (EndEllipsis | PathEllipsis))) {
        format.elides = true;
        format.elideMode = (flags & PathEllipsis) ? Qt::ElideMiddle : Qt::ElideRight;
    }
    return format;
}

} // namespace kx
