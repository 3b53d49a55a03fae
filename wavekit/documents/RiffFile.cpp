#include "RiffFile.h"

#include "RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx {

namespace {

    uint32_t littleEndian32(const uint8_t* bytes)
    {
        return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
    }

} // namespace

RiffFile::~RiffFile()
{
    close();
}

bool RiffFile::open(const std::string& path)
{
    close();
    const RegularFile opened = openRegularFile(path);
    m_notRegular = opened.notRegular;
    m_fd = opened.fd;
    struct stat info { };
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0) {
        close();
        return false;
    }
    m_fileSize = uint64_t(info.st_size);
    m_position = 0;
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return true;
}

void RiffFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_fileSize = 0;
    m_position = 0;
}

int64_t RiffFile::read(void* destination, std::size_t count)
{
    const int64_t done = readAt(m_position, destination, count);
    if (done > 0)
        m_position += uint64_t(done);
    return done;
}

int64_t RiffFile::readAt(uint64_t offset, void* destination, std::size_t count) const
{
    auto* out = static_cast<uint8_t*>(destination);
    std::size_t done = 0;
    while (done < count) {
        // Bounded single reads keep the kernel's copy loop short and let huge reads proceed.
        const std::size_t want = std::min<std::size_t>(count - done, std::size_t(1) << 30);
        const ssize_t got = ::pread(m_fd, out + done, want, off_t(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (got == 0)
            break;
        done += std::size_t(got);
    }
    return int64_t(done);
}

bool RiffFile::descend(RiffChunk& chunk)
{
    const uint64_t start = m_position;
    uint8_t header[8];
    if (read(header, 8) != 8) {
        m_position = start;
        return false;
    }
    RiffChunk found;
    std::memcpy(found.id.data(), header, 4);
    found.size = littleEndian32(header + 4);
    if (found.hasFormType() && read(found.formType.data(), 4) != 4) {
        m_position = start;
        return false;
    }
    found.dataOffset = m_position;
    chunk = found;
    return true;
}

bool RiffFile::find(const FourCC& id, const RiffChunk& parent, RiffChunk& chunk)
{
    const uint64_t start = m_position;
    const uint64_t parentEnd = parent.declaredEnd();
    // Every step moves forward by at least a header; the count bounds a file of countless tiny
    // chunks (sparse, a few KB on disk) that would otherwise be walked for seconds.
    for (unsigned walked = 0; walked < kMaxChunksWalked && m_position + 8 <= parentEnd && m_position + 8 <= m_fileSize;
         ++walked) {
        RiffChunk candidate;
        if (!descend(candidate))
            break;
        if (candidate.id == id) {
            chunk = candidate;
            return true;
        }
        ascend(candidate);
    }
    m_position = start;
    return false;
}

bool RiffFile::ascend(const RiffChunk& chunk)
{
    // Seeking past the end is allowed; the next read simply finds nothing there.
    m_position = chunk.declaredEnd() + (chunk.size & 1u);
    return isOpen();
}

} // namespace kx
