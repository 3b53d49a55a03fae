#pragma once

#include "Board.h"

#include <functional>
#include <string>
#include <vector>

namespace kx::board {

inline constexpr const char* kTooManyFilesCaption = "Too many files";
inline constexpr const char* kTooManyFilesQuestion
    = "There are too many files dropped.\nNot all will fit on this page.\nShall I put them on another page(s)?";
inline constexpr const char* kMaximumReachedMessage
    = "Maximum reached! But there are still too many files.\nTry to put the remaining files in another Tonedeck97 "
      "file.";

/// What placing files may ask the user: whether to go on to the following pages (true: yes), and
/// telling that even page 8 is full.
struct DropQuestions {
    std::function<bool()> useFollowingPages;
    std::function<void()> maximumReached;
};

/// Files dropped on `button` (1 to 44) of the current page, in order from that button on; when
/// they do not fit, the user decides whether the rest goes on to the following pages or is left.
/// Returns how many paths were refused as too long; the board is marked changed only when one was placed.
int placeOnButton(Board& board, const std::vector<std::string>& files, int button, const DropQuestions& ask);

/// Files dropped beside the buttons: the first 44 fill the current page from button 1; the rest
/// are left without a word. Returns how many paths were refused as too long.
int placeOnPage(Board& board, const std::vector<std::string>& files);

} // namespace kx::board
