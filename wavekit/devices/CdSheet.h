#pragma once

#include <string>
#include <vector>

namespace kx::cdsheet {

/// A CUE or TOC sheet read before libcdio sees it: libcdio trusts the sheet's track count and
/// times, so a hostile sheet would reach its fixed track table.
constexpr std::size_t kMaxBytes = 256 * 1024;
constexpr int kMaxLines = 4000;
constexpr int kMaxTracks = 99;

enum class Kind { Cue, Toc };

struct Sheet {
    int tracks = 0;
    /// The data files the sheet names, as written (relative to the sheet's directory or absolute).
    std::vector<std::string> files;
};

/// Checks a sheet's text: 1 to 99 tracks, rising track numbers (CUE), every time "mm:ss:ff" with
/// seconds under 60 and frames under 75, bounded size and line count. Empty `error` when it is sane.
Sheet check(const std::string& text, Kind kind, std::string& error);

/// The sheet `source` names for libcdio, if any: the source itself when it ends in .cue or .toc,
/// the .cue beside a .bin; empty otherwise (a drive).
std::string sheetOf(const std::string& source);

/// Reads and checks the sheet file at `path` (a regular file only) and that every data file it
/// names is a regular file. Empty when it may be given to libcdio, otherwise the reason.
std::string checkFile(const std::string& path);

} // namespace kx::cdsheet
