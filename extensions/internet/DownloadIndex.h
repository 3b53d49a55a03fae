#pragma once

#include <map>
#include <string>

namespace kx {

/// The download index "kexinet.txt": an INI text of the section "Files" (Number, Date, New) and
/// one section "File<k>" per offered file (Name, Description, Filename, HTTPServer, URLPath).
/// Section and key names are matched without regard to case; the first of repeated ones counts.
class DownloadIndex {
public:
    /// Reads the index at `path`; a missing or unreadable file is an empty index.
    static DownloadIndex read(const std::string& path);
    static DownloadIndex parse(const std::string& text);

    int count() const;
    std::string date() const;
    std::string news() const;
    std::string name(int k) const;
    std::string description(int k) const;
    /// The "Filename" of file k reduced to a plain name in the download directory: no directory
    /// part, no leading dots, no control characters; "dunno.txt" when nothing is left.
    std::string fileName(int k) const;
    /// The "HTTPServer" of file k, empty when the index names none.
    std::string server(int k) const;
    std::string path(int k) const;

private:
    /// The value, cut to `size` - 1 bytes as a reader with a buffer of `size` would.
    std::string value(
        const std::string& section, const std::string& key, const std::string& fallback, std::size_t size = 255) const;

    std::map<std::string, std::map<std::string, std::string>> m_sections; // lower-case names
};

} // namespace kx
