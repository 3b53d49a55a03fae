#pragma once

#include <array>
#include <string>

namespace kx::board {

inline constexpr int kPageCount = 8;
inline constexpr int kButtonCount = 44;
/// Longest page name and longest slot path, in bytes, that a board holds and its file carries.
inline constexpr std::size_t kPageNameLimit = 31;
inline constexpr std::size_t kPathLimit = 255;
inline constexpr const char* kUnnamed = "Unnamed";

struct Page {
    std::string name;
    /// Full paths of the sound files; an empty text is an empty slot.
    std::array<std::string, kButtonCount> paths;

    bool operator==(const Page&) const = default;
};

/// Eight pages of 44 sound slots, the file they came from and whether they still equal it.
/// Pages are 0 to 7 and buttons 1 to 44, as the user counts them on the screen.
class Board {
public:
    Board() { clear(); }

    /// Empty slots, default page names, page 0, "Unnamed", saved.
    void clear();

    /// False (and nothing changed) for a path longer than kPathLimit or a slot out of range.
    bool setSlot(int page, int button, const std::string& path);
    void clearSlot(int page, int button) { setSlot(page, button, std::string()); }
    const std::string& slot(int page, int button) const;

    /// An empty name leaves the page as it was; a longer one is cut to kPageNameLimit bytes, never
    /// inside a UTF-8 character. The saved flag stays as it is.
    void renamePage(int page, const std::string& name);

    std::array<Page, kPageCount> pages;
    std::string name = kUnnamed;
    int currentPage = 0;
    bool saved = true;

    static std::string defaultPageName(int page);
};

/// `text` cut to at most `limit` bytes without splitting a UTF-8 character.
std::string cutToBytes(const std::string& text, std::size_t limit);

} // namespace kx::board
