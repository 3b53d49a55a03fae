#include "FontMapper.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <mutex>

namespace {

enum class Kind { Sans, Serif, Mono };

struct ForeignFace {
    const char* name;
    Kind kind;
};

// Faces the suite and its extensions ask for by name, none of which a Linux desktop ships. The
// Liberation families have the metrics of Arial, Times New Roman and Courier New, so text keeps
// the width the layouts were made for.
constexpr ForeignFace kForeignFaces[] = {
    { "MS Sans Serif", Kind::Sans },
    { "Microsoft Sans Serif", Kind::Sans },
    { "MS Shell Dlg", Kind::Sans },
    { "MS Shell Dlg 2", Kind::Sans },
    { "Arial", Kind::Sans },
    { "Tahoma", Kind::Sans },
    { "Verdana", Kind::Sans },
    { "System", Kind::Sans },
    { "Zor-NewFont", Kind::Sans },
    { "Times New Roman", Kind::Serif },
    { "MS Serif", Kind::Serif },
    { "Courier New", Kind::Mono },
    { "Courier", Kind::Mono },
    { "Fixedsys", Kind::Mono },
    { "Terminal", Kind::Mono },
    { "Lucida Console", Kind::Mono },
};

QStringList standInsFor(Kind kind)
{
    switch (kind) {
    case Kind::Serif:
        return { QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif") };
    case Kind::Mono:
        return { QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono") };
    case Kind::Sans:
        break;
    }
    return { QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans") };
}

// "MS Sans Serif" was a bitmap face in six sizes only (8 to 24 points at 96 dots per inch); the
// suite asks it for heights 8 and 10 and got the 13-pixel interface size.
constexpr std::array kSansSerifCellHeights { 13, 16, 20, 23, 29, 37 };
constexpr int kDefaultCellHeight = 13;

std::once_flag g_substitutionsInstalled;

/// The largest pixel size whose character cell fits `cell`.
int pixelSizeForCell(QFont font, int cell)
{
    if (!qGuiApp)
        return std::max(1, cell * 9 / 10); // no font database to measure with
    font.setPixelSize(100);
    const int reference = std::max(1, QFontMetrics(font).height());
    int size = std::max(1, cell * 100 / reference);
    font.setPixelSize(size);
    while (size > 1 && QFontMetrics(font).height() > cell)
        font.setPixelSize(--size);
    return size;
}

} // namespace

namespace kx {

QStringList FontMapper::substitutesFor(const QString& face)
{
    for (const ForeignFace& foreign : kForeignFaces) {
        if (face.compare(QLatin1String(foreign.name), Qt::CaseInsensitive) != 0)
            continue;
        QStringList installed;
        const QStringList families = qGuiApp ? QFontDatabase::families() : QStringList();
        for (const QString& standIn : standInsFor(foreign.kind)) {
            if (families.contains(standIn, Qt::CaseInsensitive))
                installed << standIn;
        }
        return installed;
    }
    return {};
}

void FontMapper::installSubstitutions()
{
    std::call_once(g_substitutionsInstalled, [] {
        for (const ForeignFace& foreign : kForeignFaces) {
            const QString face = QLatin1String(foreign.name);
            const QStringList standIns = substitutesFor(face);
            if (!standIns.isEmpty())
                QFont::insertSubstitutions(face, standIns);
        }
    });
}

int FontMapper::cellHeight(int32_t height, const QString& face)
{
    if (height <= 0)
        return kDefaultCellHeight;
    if (face.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) != 0)
        return height;
    const auto fits = std::find_if(
        kSansSerifCellHeights.rbegin(), kSansSerifCellHeights.rend(), [height](int cell) { return cell <= height; });
    return fits != kSansSerifCellHeights.rend() ? *fits : kSansSerifCellHeights.front();
}

QFont FontMapper::font(int32_t height, int32_t weight, uint32_t flags, const QString& face)
{
    installSubstitutions();
    QFont font;
    if (!face.isEmpty())
        font.setFamily(face);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Weight(weight <= 0 ? 400 : std::min(weight, 1000)));
    font.setItalic(flags & 1u);
    font.setUnderline(flags & 2u);
    font.setStrikeOut(flags & 4u);
    font.setPixelSize(height < 0 ? std::max(1, -height) : pixelSizeForCell(font, cellHeight(height, face)));
    return font;
}

} // namespace kx
