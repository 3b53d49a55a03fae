#pragma once
// What every fuzz target shares: one in-memory file that holds the input, and a check that ends
// the run when an invariant breaks.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace kx::fuzz {

/// A path naming a file that holds exactly `data`; one file per process, rewritten per input.
/// Empty when the file cannot be written.
inline std::string inputFile(const uint8_t* data, size_t size)
{
    static const int fd = ::memfd_create("fuzz-input", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ::ftruncate(fd, 0) != 0 || (size > 0 && ::pwrite(fd, data, size, 0) != ssize_t(size)))
        return {};
    return path;
}

inline void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

} // namespace kx::fuzz
