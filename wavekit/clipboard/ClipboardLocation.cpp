#include "ClipboardLocation.h"

#include <cstdlib>
#include <mutex>

namespace kx {

namespace {

    std::mutex g_mutex;
    std::string g_directory;

} // namespace

std::string ClipboardLocation::directory()
{
    {
        std::lock_guard lock(g_mutex);
        if (!g_directory.empty())
            return g_directory;
    }
    const char* tmp = std::getenv("TMPDIR");
    std::string directory = tmp && *tmp ? tmp : "/tmp";
    while (directory.size() > 1 && directory.back() == '/')
        directory.pop_back();
    return directory;
}

void ClipboardLocation::setDirectory(const std::string& directory)
{
    std::lock_guard lock(g_mutex);
    g_directory = directory;
}

std::string ClipboardLocation::filePath()
{
    return directory() + "/" + kFileName;
}

} // namespace kx
