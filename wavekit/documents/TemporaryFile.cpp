#include "TemporaryFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace kx {

namespace {

    /// Gives the new file the owner and group of the one it replaces as far as we may. A group we
    /// cannot give it would receive the old group's rights, so it loses them instead.
    void takeOwnership(int fd, const struct stat& existing, mode_t& mode)
    {
        if (::fchown(fd, existing.st_uid, existing.st_gid) == 0 || ::fchown(fd, uid_t(-1), existing.st_gid) == 0)
            return;
        mode &= ~mode_t(070);
    }

} // namespace

std::string directoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

int createTemporaryBeside(const std::string& target, std::string& temporary, mode_t newFileMode)
{
    struct stat existing { };
    const bool replaces = ::stat(target.c_str(), &existing) == 0;
    mode_t mode = replaces ? existing.st_mode & 07777 : newFileMode & 0777;
    const std::string directory = directoryOf(target);
    const std::string base = target.substr(target.rfind('/') == std::string::npos ? 0 : target.rfind('/') + 1);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x", unsigned(random()));
        temporary = directory + "/." + base + suffix + ".tmp";
        // The rights of others wait until the group is settled, special bits until the owner is:
        // a change of owner clears them.
        const mode_t createMode = replaces ? mode & 0700 : mode;
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, createMode);
        if (fd >= 0) {
            if (replaces) {
                takeOwnership(fd, existing, mode);
                ::fchmod(fd, mode);
            }
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

} // namespace kx
