#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx {

RegularFile openRegularFile(const std::string& path, int extraFlags)
{
    RegularFile file;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | extraFlags);
    if (fd < 0)
        return file;
    struct stat status { };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        file.notRegular = status.st_mode != 0 && !S_ISREG(status.st_mode);
        ::close(fd);
        return file;
    }
    // Reads of a regular file never wait anyway; clearing the flag keeps later reads plain.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    file.fd = fd;
    return file;
}

} // namespace kx
