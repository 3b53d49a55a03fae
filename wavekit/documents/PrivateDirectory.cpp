#include "PrivateDirectory.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace kx {

namespace {

    enum class WhenOpen { Refuse, Close };

    /// A directory of ours that nobody else can enter or change; never a link. One of ours that
    /// is open to others (only its owner can have made it so) is closed first where it is ours to
    /// manage, and otherwise not used.
    bool isOurs(const std::string& path, WhenOpen whenOpen)
    {
        struct stat info { };
        if (::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
            return false;
        if ((info.st_mode & 077) == 0)
            return true;
        return whenOpen == WhenOpen::Close && ::chmod(path.c_str(), 0700) == 0;
    }

    std::string madePrivate(const std::string& path)
    {
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
            return {};
        return isOurs(path, WhenOpen::Close) ? path : std::string();
    }

    std::string withoutTrailingSlashes(std::string path)
    {
        while (path.size() > 1 && path.back() == '/')
            path.pop_back();
        return path;
    }

} // namespace

std::string privateDirectory()
{
    // The session's runtime directory is the user's alone by definition; check it anyway, and
    // leave its rights to the session that made it.
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/') {
        const std::string base = withoutTrailingSlashes(runtime);
        if (isOurs(base, WhenOpen::Refuse))
            if (std::string directory = madePrivate(base + "/kestrix2000"); !directory.empty())
                return directory;
    }
    const char* tmp = std::getenv("TMPDIR");
    const std::string base = withoutTrailingSlashes(tmp && *tmp == '/' ? tmp : "/tmp");
    return madePrivate(base + "/kestrix2000-" + std::to_string(::geteuid()));
}

std::string undoDirectory()
{
    std::string base;
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache == '/')
        base = withoutTrailingSlashes(cache);
    else if (const char* home = std::getenv("HOME"); home && *home == '/')
        base = withoutTrailingSlashes(home) + "/.cache";
    else
        return {};
    // The cache directory and our folder in it may not exist yet; ours is the user's alone.
    ::mkdir(base.c_str(), 0700);
    ::mkdir((base + "/QuellWerk").c_str(), 0700);
    return madePrivate(base + "/QuellWerk/undo");
}

std::string privateFilePath(std::string_view name)
{
    const std::string directory = privateDirectory();
    return directory.empty() ? std::string() : directory + "/" + std::string(name);
}

} // namespace kx
