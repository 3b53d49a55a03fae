#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kx {

/// The painted fields of the roll-down panel, left to right.
enum class RollDownField {
    None,
    RecentFiles,
    Extensions,
    ActiveWindows,
    Clipboard,
    Information,
    ZoomIn,
    Zoom,
    ZoomOut,
    Threads,
};

/// The field a click at column `x` of a panel `width` pixels wide falls on. The borders between
/// fields belong to none, so a click on one does nothing.
RollDownField rollDownFieldAt(int x, int width);

/// One entry of a menu the panel builds; id 0 is a separator.
struct RollDownMenuEntry {
    int id;
    QString text;
};

/// The recent-file menu: "&n path" as command 3000 + n for every stored entry, and a separator
/// after every fifth entry that is not the list's last place.
std::vector<RollDownMenuEntry> recentFilesMenu();

/// What the clipboard slot shows: empty unless the clipboard file holds more than a bare
/// beginning (11 bytes or more).
struct ClipboardSlot {
    bool full = false;
    uint64_t kilobytes = 0;
    /// Where the clipboard file lies: the mount point of its file system.
    QString place;
};
ClipboardSlot clipboardSlotOf(const std::string& path);
/// The full slot's text, "2 KB  (on /)".
QString clipboardSlotText(const ClipboardSlot& slot);

/// The zoom field's text for the active document's zoom: "%u x", "Whole File" for 0, "Zoom"
/// with no active document.
QString zoomFieldText(std::optional<uint32_t> zoom);

/// The Threads field while `running` operations run, `seconds` since the first started.
QString threadsClockText(int running, int64_t seconds);

} // namespace kx
