#include "PendingFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace kx {

std::string directoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void syncDirectoryOf(const std::string& path)
{
    const int directory = ::open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        ::fsync(directory);
        ::close(directory);
    }
}

std::string resolvedTarget(const std::string& path)
{
    struct stat info { };
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string resolved(real);
            std::free(real);
            return resolved;
        }
    }
    return path;
}

bool writeAll(int fd, const void* bytes, std::size_t count, uint64_t offset)
{
    const auto* p = static_cast<const unsigned char*>(bytes);
    while (count > 0) {
        const ssize_t done = ::pwrite(fd, p, std::min<std::size_t>(count, std::size_t(1) << 30), off_t(offset));
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += done;
        offset += uint64_t(done);
        count -= std::size_t(done);
    }
    return true;
}

namespace {

    std::string baseNameOf(const std::string& path)
    {
        const auto slash = path.rfind('/');
        return slash == std::string::npos ? path : path.substr(slash + 1);
    }

    /// Runs `attempt` with fresh hidden names beside `target` until one is free; its last result.
    template <typename Attempt> int withFreeHiddenName(const std::string& target, std::string& name, Attempt attempt)
    {
        std::random_device random;
        for (int tries = 0; tries < 100; ++tries) {
            char suffix[16];
            std::snprintf(suffix, sizeof suffix, ".%08x", unsigned(random()));
            name = directoryOf(target) + "/." + baseNameOf(target) + suffix + ".tmp";
            const int result = attempt(name);
            if (result >= 0 || errno != EEXIST)
                return result;
        }
        return -1;
    }

    /// Gives the new file the owner and group of the one it replaces as far as we may. A group we
    /// cannot give it would receive the old group's rights, so it loses them instead.
    void takeOwnership(int fd, const struct stat& existing, mode_t& mode)
    {
        if (::fchown(fd, existing.st_uid, existing.st_gid) == 0 || ::fchown(fd, uid_t(-1), existing.st_gid) == 0)
            return;
        mode &= ~mode_t(070);
    }

} // namespace

namespace {
    std::atomic<bool> g_unnamedTemporaryFiles { true };
} // namespace

bool unnamedTemporaryFiles()
{
    return g_unnamedTemporaryFiles.load();
}

void setUnnamedTemporaryFiles(bool allowed)
{
    g_unnamedTemporaryFiles = allowed;
}

PendingFile::PendingFile(const std::string& target, mode_t newFileMode)
    : m_target(target)
{
    struct stat existing { };
    const bool replaces = ::stat(target.c_str(), &existing) == 0;
    mode_t mode = replaces ? (existing.st_mode & 07777) : (newFileMode & 0777);
    // The rights of others wait until the group is settled, special bits until the owner is: a
    // change of owner clears them.
    const mode_t createMode = replaces ? mode & 0700 : mode;
    m_fd = unnamedTemporaryFiles() ? ::open(directoryOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, createMode)
                                   : -1;
    if (m_fd < 0) {
        m_fd = withFreeHiddenName(target, m_hiddenName, [createMode](const std::string& name) {
            return ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, createMode);
        });
        if (m_fd < 0)
            m_hiddenName.clear();
    }
    if (m_fd >= 0 && replaces) {
        takeOwnership(m_fd, existing, mode);
        ::fchmod(m_fd, mode);
    }
}

PendingFile::~PendingFile()
{
    discard();
}

void PendingFile::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_hiddenName.empty())
        ::unlink(m_hiddenName.c_str());
    m_hiddenName.clear();
}

bool PendingFile::commit()
{
    if (m_fd < 0)
        return false;
    if (m_hiddenName.empty()) {
        // A name is needed for the rename, which alone replaces the target in one step.
        const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
        const int linked = withFreeHiddenName(m_target, m_hiddenName, [&self](const std::string& name) {
            return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
        });
        if (linked != 0) {
            m_hiddenName.clear();
            discard();
            return false;
        }
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 || ::rename(m_hiddenName.c_str(), m_target.c_str()) != 0) {
        discard();
        return false;
    }
    m_hiddenName.clear();
    return true;
}

} // namespace kx
