// Turns the font requests of the suite (cell height, weight, style bits, a face name from another
// desktop) into fonts that are installed here and come out at the same size on screen.
#pragma once

#include <QFont>
#include <QStringList>
#include <cstdint>

namespace kx {

class FontMapper {
public:
    /// Registers the installed stand-ins for the faces the suite names; safe to call again.
    static void installSubstitutions();
    /// Installed families, best first, that stand in for `face` (empty when `face` is no known
    /// foreign face).
    static QStringList substitutesFor(const QString& face);
    /// A font of `height` (positive: character cell in pixels; negative: character height; 0:
    /// default) and `weight` (0 to 1000); `flags` bit 0 italic, bit 1 underline, bit 2 strike-out.
    static QFont font(int32_t height, int32_t weight, uint32_t flags, const QString& face);
    /// The cell height a request for `height` gets in `face`: faces that only came in a few
    /// bitmap sizes snap to the largest size not above it, or to their smallest.
    static int cellHeight(int32_t height, const QString& face);
};

} // namespace kx
