#include "RecoverySession.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx {

namespace {

    constexpr const char* kCopySuffix = ".kxr";
    constexpr const char* kLockSuffix = ".lock";

    bool endsWith(const std::string& text, const std::string& end)
    {
        return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
    }

    /// Each missing directory of `path` made 0700; true when the last is a directory of the user
    /// that only the user can enter (not a link).
    bool makePrivateDirectory(const std::string& path)
    {
        for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
            ::mkdir(path.substr(0, slash).c_str(), 0700);
        ::mkdir(path.c_str(), 0700);
        struct stat info { };
        return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid()
            && (info.st_mode & 0077) == 0;
    }

    /// The session a copy's file name belongs to: the name up to its last '-'.
    std::string sessionOf(const std::string& name)
    {
        const auto dash = name.rfind('-');
        return dash == std::string::npos ? std::string() : name.substr(0, dash);
    }

} // namespace

std::string RecoverySession::defaultDirectory()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    std::string base;
    if (state && state[0] == '/')
        base = state;
    else if (const char* home = std::getenv("HOME"))
        base = std::string(home) + "/.local/state";
    else
        return {};
    return base + "/QuellWerk/recovery";
}

RecoverySession::RecoverySession(std::string directory)
    : m_directory(std::move(directory))
{
    if (m_directory.empty() || !makePrivateDirectory(m_directory))
        return;
    std::random_device random;
    m_session = std::to_string(::getpid()) + "_" + std::to_string(random());
    const std::string lock = m_directory + "/" + m_session + kLockSuffix;
    m_lockFd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (m_lockFd >= 0 && ::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
        ::close(m_lockFd);
        m_lockFd = -1;
    }
}

RecoverySession::~RecoverySession()
{
    if (m_lockFd < 0)
        return;
    ::unlink((m_directory + "/" + m_session + kLockSuffix).c_str());
    ::close(m_lockFd);
}

std::string RecoverySession::newCopyPath()
{
    return m_directory + "/" + m_session + "-" + std::to_string(++m_copies) + kCopySuffix;
}

std::vector<std::string> RecoverySession::orphans() const
{
    std::vector<std::pair<time_t, std::string>> found;
    if (!usable())
        return {};
    DIR* dir = ::opendir(m_directory.c_str());
    if (!dir)
        return {};
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        const std::string session = sessionOf(name);
        if (name[0] == '.' || !endsWith(name, kCopySuffix) || session.empty() || session == m_session)
            continue;
        const int lock = ::open((m_directory + "/" + session + kLockSuffix).c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
        const bool running = lock >= 0 && ::flock(lock, LOCK_EX | LOCK_NB) != 0;
        if (lock >= 0)
            ::close(lock);
        struct stat info { };
        const std::string path = m_directory + "/" + name;
        if (!running && ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            found.emplace_back(info.st_mtime, path);
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (auto& [time, path] : found)
        paths.push_back(std::move(path));
    return paths;
}

std::string RecoverySession::adopt(const std::string& orphan)
{
    const std::string path = newCopyPath();
    if (::rename(orphan.c_str(), path.c_str()) != 0)
        return {};
    discard(orphan); // its session's lock file, once the last copy has gone
    return path;
}

void RecoverySession::discard(const std::string& orphan)
{
    ::unlink(orphan.c_str());
    const std::string name = orphan.substr(orphan.rfind('/') + 1);
    const std::string session = sessionOf(name);
    DIR* dir = ::opendir(m_directory.c_str());
    if (!dir)
        return;
    bool copiesLeft = false;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string other = entry->d_name;
        copiesLeft = copiesLeft || (endsWith(other, kCopySuffix) && sessionOf(other) == session);
    }
    ::closedir(dir);
    if (!copiesLeft)
        ::unlink((m_directory + "/" + session + kLockSuffix).c_str());
}

} // namespace kx
