#include "RollDownFields.h"

#include "CommandIds.h"
#include "RecentFiles.h"

#include <QFileInfo>
#include <QStorageInfo>

#include <sys/stat.h>

namespace kx {

namespace {

    /// A clipboard file of fewer bytes holds no sound.
    constexpr int64_t kFullFromBytes = 11;

} // namespace

RollDownField rollDownFieldAt(int x, int w)
{
    if (x < 80)
        return RollDownField::RecentFiles;
    if (x > 80 && x < 170)
        return RollDownField::Extensions;
    if (x > 170 && x < 275)
        return RollDownField::ActiveWindows;
    if (x > w - 320 && x < w - 220)
        return RollDownField::Clipboard;
    if (x > w - 220 && x < w - 200)
        return RollDownField::Information;
    if (x > w - 200 && x < w - 184)
        return RollDownField::ZoomIn;
    if (x > w - 184 && x < w - 116)
        return RollDownField::Zoom;
    if (x > w - 116 && x < w - 100)
        return RollDownField::ZoomOut;
    if (x >= w - 100)
        return RollDownField::Threads;
    return RollDownField::None;
}

std::vector<RollDownMenuEntry> recentFilesMenu()
{
    std::vector<RollDownMenuEntry> menu;
    const std::vector<std::string> entries = RecentFiles::entries();
    const int count = int(entries.size());
    for (int i = 1; i <= count; ++i) {
        const std::string& path = entries[std::size_t(i - 1)];
        if (path.empty() || path == "NO")
            continue;
        QString shown = QString::fromStdString(path);
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        menu.push_back({ CmdRecentFirst - 1 + i, QStringLiteral("&%1 %2").arg(i).arg(shown) });
        if (i % 5 == 0 && i < count)
            menu.push_back({ 0, {} });
    }
    return menu;
}

ClipboardSlot clipboardSlotOf(const std::string& path)
{
    ClipboardSlot slot;
    struct stat status { };
    if (path.empty() || stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < kFullFromBytes)
        return slot;
    slot.full = true;
    slot.kilobytes = uint64_t(status.st_size) / 1024;
    slot.place = QStorageInfo(QFileInfo(QString::fromStdString(path)).absolutePath()).rootPath();
    return slot;
}

QString clipboardSlotText(const ClipboardSlot& slot)
{
    return QStringLiteral("%1 KB  (on %2)").arg(slot.kilobytes).arg(slot.place);
}

QString zoomFieldText(std::optional<uint32_t> zoom)
{
    if (!zoom)
        return QStringLiteral("Zoom");
    if (*zoom == 0)
        return QStringLiteral("Whole File");
    return QStringLiteral("%1 x").arg(*zoom);
}

QString threadsClockText(int running, int64_t seconds)
{
    if (running == 1)
        return QString::asprintf("1 Thread :%02d s", int(seconds));
    return QString::asprintf("%2d Threads :%02d s", running, int(seconds));
}

} // namespace kx
