#include "RecordingFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx {

namespace {

    bool writeAll(int fd, const uint8_t* data, std::size_t size, off_t offset)
    {
        while (size > 0) {
            const ssize_t written = ::pwrite(fd, data, size, offset);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            data += written;
            size -= std::size_t(written);
            offset += written;
        }
        return true;
    }

} // namespace

RecordingFile::~RecordingFile()
{
    close();
}

bool RecordingFile::create(const std::string& path, const PcmFormat& format, mode_t mode, std::string& error)
{
    close();
    m_format = format;
    m_dataBytes = 0;
    m_failed = false;
    m_full = false;
    // Without O_NONBLOCK a named pipe at `path` would wait for a reader for ever.
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode);
    if (m_fd < 0) {
        error = errno == ENXIO ? "not a regular file" : std::strerror(errno);
        return false;
    }
    struct stat status { };
    if (::fstat(m_fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        error = "not a regular file";
        close();
        return false;
    }
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    WaveHeader header;
    format.applyTo(header);
    header.setDataSize(0);
    if (!writeAll(m_fd, reinterpret_cast<const uint8_t*>(&header), sizeof header, 0)) {
        error = std::strerror(errno);
        close();
        return false;
    }
    return true;
}

bool RecordingFile::append(std::span<const uint8_t> bytes)
{
    if (m_fd < 0 || m_failed || m_full)
        return false;
    const uint64_t room = (kMaxDataBytes - m_dataBytes) / m_format.blockAlign() * m_format.blockAlign();
    std::size_t size = bytes.size() / m_format.blockAlign() * m_format.blockAlign();
    if (size >= room) {
        size = std::size_t(room);
        m_full = true;
    }
    if (!writeAll(m_fd, bytes.data(), size, off_t(sizeof(WaveHeader) + m_dataBytes))) {
        m_failed = true;
        return false;
    }
    m_dataBytes += size;
    if (!updateSizes())
        m_failed = true;
    return !m_failed && !m_full;
}

bool RecordingFile::updateSizes()
{
    const uint32_t data = uint32_t(m_dataBytes);
    const uint32_t riff = data + 36;
    return writeAll(m_fd, reinterpret_cast<const uint8_t*>(&riff), 4, offsetof(WaveHeader, riffSize))
        && writeAll(m_fd, reinterpret_cast<const uint8_t*>(&data), 4, offsetof(WaveHeader, dataSize));
}

bool RecordingFile::close()
{
    if (m_fd < 0)
        return !m_failed;
    if (::close(m_fd) != 0)
        m_failed = true;
    m_fd = -1;
    return !m_failed;
}

} // namespace kx
