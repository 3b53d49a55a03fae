#include "DownloadIndex.h"

#include "paneldraw/SettingsStore.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace kx {

namespace {

    /// An index is a few kilobytes; a larger file is not read further.
    constexpr std::size_t kLargestIndex = 1 << 20;
    /// A server's "Number" beyond this would only fill the list with placeholders.
    constexpr int kMostFiles = 1000;

    std::string lower(std::string text)
    {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        return text;
    }

    std::string trimmed(const std::string& text)
    {
        const auto first = text.find_first_not_of(" \t\r");
        if (first == std::string::npos)
            return {};
        return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
    }

    std::string fileSection(int k)
    {
        return "file" + std::to_string(k);
    }

} // namespace

DownloadIndex DownloadIndex::read(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::string text(kLargestIndex, '\0');
    file.read(text.data(), std::streamsize(text.size()));
    text.resize(std::size_t(std::max<std::streamsize>(file.gcount(), 0)));
    return parse(text);
}

DownloadIndex DownloadIndex::parse(const std::string& text)
{
    DownloadIndex index;
    std::istringstream lines(text);
    std::string line;
    std::map<std::string, std::string>* section = nullptr;
    while (std::getline(lines, line)) {
        line = trimmed(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            const auto end = line.find(']');
            section = end == std::string::npos ? nullptr : &index.m_sections[lower(trimmed(line.substr(1, end - 1)))];
            continue;
        }
        const auto equals = line.find('=');
        if (!section || equals == std::string::npos)
            continue;
        section->emplace(lower(trimmed(line.substr(0, equals))), trimmed(line.substr(equals + 1)));
    }
    return index;
}

std::string DownloadIndex::value(
    const std::string& section, const std::string& key, const std::string& fallback, std::size_t size) const
{
    const auto found = m_sections.find(section);
    if (found == m_sections.end())
        return fallback;
    const auto entry = found->second.find(lower(key));
    if (entry == found->second.end())
        return fallback;
    return entry->second.substr(0, size - 1);
}

int DownloadIndex::count() const
{
    return std::clamp(parseSettingNumber(value("files", "Number", "0")), 0, kMostFiles);
}

std::string DownloadIndex::date() const
{
    return value("files", "Date", "00-00-00");
}

std::string DownloadIndex::news() const
{
    return value("files", "New", "", 400);
}

std::string DownloadIndex::name(int k) const
{
    return value(fileSection(k), "Name", "Press 'Update List'");
}

std::string DownloadIndex::description(int k) const
{
    return value(fileSection(k), "Description", "No description available");
}

std::string DownloadIndex::fileName(int k) const
{
    std::string name = value(fileSection(k), "Filename", "dunno.txt");
    const auto slash = name.find_last_of("/\\");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    name.erase(0, name.find_first_not_of(". "));
    if (name.empty() || std::any_of(name.begin(), name.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }))
        return "dunno.txt";
    return name;
}

std::string DownloadIndex::server(int k) const
{
    return value(fileSection(k), "HTTPServer", "");
}

std::string DownloadIndex::path(int k) const
{
    return value(fileSection(k), "URLPath", "");
}

} // namespace kx
