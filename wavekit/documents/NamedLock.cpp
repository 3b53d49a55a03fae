#include "NamedLock.h"

#include "PrivateDirectory.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kx {

std::string NamedLock::pathFor(const std::string& name)
{
    return privateFilePath(name + ".lock");
}

NamedLock::NamedLock(const std::string& name)
{
    const std::string path = pathFor(name);
    if (!path.empty())
        m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
}

NamedLock::~NamedLock()
{
    unlock();
    if (m_fd >= 0)
        ::close(m_fd);
}

bool NamedLock::lock()
{
    if (m_fd < 0)
        return false;
    while (::flock(m_fd, LOCK_EX) != 0) {
        if (errno != EINTR)
            return false;
    }
    m_locked = true;
    return true;
}

bool NamedLock::tryLock()
{
    if (m_fd < 0 || ::flock(m_fd, LOCK_EX | LOCK_NB) != 0)
        return false;
    m_locked = true;
    return true;
}

void NamedLock::unlock()
{
    if (m_locked)
        ::flock(m_fd, LOCK_UN);
    m_locked = false;
}

} // namespace kx
