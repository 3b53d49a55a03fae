#include "RecentFiles.h"

#include "paneldraw/settings.h"

#include <algorithm>
#include <strings.h>

namespace kx {

namespace {

std::string entryPath(int index)
{
    return "Kestrix\\RecentFiles\\File" + std::to_string(index);
}

} // namespace

int RecentFiles::capacity()
{
    return std::clamp<int>(RegGetWord("Kestrix\\RecentFiles\\NumberOfFiles", 10), 0, 20);
}

std::vector<std::string> RecentFiles::entries()
{
    std::vector<std::string> list;
    for (int i = 1; i <= capacity(); ++i)
        list.emplace_back(RegGetString(entryPath(i).c_str(), ""));
    return list;
}

void RecentFiles::add(const std::string& path)
{
    std::vector<std::string> list = entries();
    if (list.empty())
        return;
    const bool known = std::any_of(list.begin(), list.end(),
                                   [&](const std::string& entry) { return strcasecmp(entry.c_str(), path.c_str()) == 0; });
    if (known)
        return;
    list.pop_back();
    list.insert(list.begin(), path);
    for (std::size_t i = 0; i < list.size(); ++i)
        RegWriteString(entryPath(int(i) + 1).c_str(), list[i].c_str());
}

} // namespace kx
