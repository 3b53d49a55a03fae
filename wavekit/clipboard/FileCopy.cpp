#include "FileCopy.h"

#include "documents/TemporaryFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx {

namespace {

    bool copyAll(int from, int to)
    {
        char buffer[1 << 16];
        for (;;) {
            const ssize_t got = ::read(from, buffer, sizeof buffer);
            if (got == 0)
                return true;
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            for (ssize_t done = 0; done < got;) {
                const ssize_t put = ::write(to, buffer + done, std::size_t(got - done));
                if (put < 0 && errno != EINTR)
                    return false;
                done += put > 0 ? put : 0;
            }
        }
    }

} // namespace

bool copyFileReplacing(const std::string& from, const std::string& to, mode_t newFileMode)
{
    const int source = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0)
        return false;
    struct stat info { };
    std::string temporary;
    const int target
        = ::fstat(source, &info) == 0 && S_ISREG(info.st_mode) ? createTemporaryBeside(to, temporary, newFileMode) : -1;
    bool copied = target >= 0 && copyAll(source, target);
    ::close(source);
    if (target >= 0 && ::close(target) != 0)
        copied = false;
    if (copied && ::rename(temporary.c_str(), to.c_str()) == 0)
        return true;
    if (target >= 0)
        ::unlink(temporary.c_str());
    return false;
}

} // namespace kx
