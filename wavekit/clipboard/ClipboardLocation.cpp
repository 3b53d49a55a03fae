#include "ClipboardLocation.h"

#include "documents/PrivateDirectory.h"

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
    return privateDirectory();
}

void ClipboardLocation::setDirectory(const std::string& directory)
{
    std::lock_guard lock(g_mutex);
    g_directory = directory;
}

std::string ClipboardLocation::filePath()
{
    const std::string where = directory();
    return where.empty() ? std::string() : where + "/" + kFileName;
}

} // namespace kx
