#include "FileCopy.h"

#include "documents/PendingFile.h"
#include "documents/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx {

namespace {

    /// Copies everything from `in` to `out` in the kernel, also across file systems; false on any
    /// failure.
    bool copyAll(int in, int out)
    {
        for (;;) {
            const ssize_t done = ::sendfile(out, in, nullptr, std::size_t(1) << 30);
            if (done == 0)
                return true;
            if (done < 0 && errno != EINTR)
                return false;
        }
    }

} // namespace

FileCopyStatus copyFileReplacing(const std::string& from, const std::string& to, mode_t newFileMode)
{
    const int in = openRegularFile(from).fd;
    if (in < 0)
        return FileCopyStatus::CannotRead;
    PendingFile copy(to, newFileMode);
    const bool copied = copy.fd() >= 0 && copyAll(in, copy.fd()) && copy.commit();
    ::close(in);
    return copied ? FileCopyStatus::Copied : FileCopyStatus::CannotWrite;
}

} // namespace kx
