#pragma once

#include "Board.h"

#include <string>
#include <string_view>

namespace kx::board {

enum class BoardFileStatus { Ok, CannotOpen, NotABoard, CannotWrite };

/// The user's text for a failed load or save; empty for Ok.
const char* boardFileMessage(BoardFileStatus status);

/// The name a board is saved under: ".SPL" is appended unless the file name's fourth character
/// from the end is a period, so any three-letter extension is kept.
std::string boardSavePath(const std::string& path);

/// The 360 lines of a board file, each ended with CR LF.
std::string boardFileText(const Board& board);

/// Reads the pages of a board file into `pages`, which is left untouched unless the text holds
/// 1 to 360 lines (LF or CR LF) of text within the length limits; pages and slots past the last
/// line are empty, and what follows the 360th line is ignored.
BoardFileStatus parseBoardText(std::string_view text, std::array<Page, kPageCount>& pages);

/// Loads the board file at `path`; on success the board takes its pages and its name, shows page 0
/// and is saved. On any failure the board is as it was.
BoardFileStatus loadBoard(const std::string& path, Board& board);

/// Writes the board under boardSavePath(path), beside the target under a temporary name renamed
/// over it when complete. On success the board takes that name and is saved; on failure the
/// board and any existing file are as they were.
BoardFileStatus saveBoard(Board& board, const std::string& path);

} // namespace kx::board
