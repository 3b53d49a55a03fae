#include "FileStart.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx::board {

bool readFileStart(const std::string& path, std::size_t limit, std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info { };
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    bytes.resize(ok ? limit : 0);
    std::size_t got = 0;
    while (ok && got < limit) {
        const ssize_t done = ::read(fd, bytes.data() + got, limit - got);
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0)
            ok = false;
        if (done <= 0)
            break;
        got += std::size_t(done);
    }
    ::close(fd);
    bytes.resize(got);
    return ok;
}

} // namespace kx::board
