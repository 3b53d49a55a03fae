// How the DT_* layout flags of the suite's text calls become a Qt text layout.
#pragma once

#include <Qt>
#include <cstdint>

namespace kx {

struct TextFormat {
    int alignmentAndFlags = 0; ///< Qt::AlignmentFlag | Qt::TextFlag
    bool draws = true; ///< false when the caller only wanted the text measured
    bool elides = false;
    Qt::TextElideMode elideMode = Qt::ElideRight;

    static TextFormat fromFlags(uint16_t flags);
};

} // namespace kx

// The flag values callers pass (the platform's DT_* numbers).
namespace kx::textflags {
inline constexpr uint16_t Center = 0x0001;
inline constexpr uint16_t Right = 0x0002;
inline constexpr uint16_t VerticalCenter = 0x0004;
inline constexpr uint16_t Bottom = 0x0008;
inline constexpr uint16_t WordBreak = 0x0010;
inline constexpr uint16_t SingleLine = 0x0020;
inline constexpr uint16_t ExpandTabs = 0x0040;
inline constexpr uint16_t NoClip = 0x0100;
inline constexpr uint16_t CalculateRectangle = 0x0400;
inline constexpr uint16_t NoPrefix = 0x0800;
inline constexpr uint16_t PathEllipsis = 0x4000;
inline constexpr uint16_t EndEllipsis = 0x8000;
} // namespace kx::textflags
