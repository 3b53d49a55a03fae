#include "LargeWavFile.h"

#include "RegularFile.h"
#include "RiffFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx {

namespace {

    /// The GUID tail shared by Wave64's "wave", "fmt " and "data" identifiers.
    constexpr uint8_t kWave64Tail[12] = { 0xF3, 0xAC, 0xD3, 0x11, 0x8C, 0xD1, 0x00, 0xC0, 0x4F, 0x8E, 0xDB, 0x8A };
    constexpr uint8_t kWave64RiffTail[12] = { 0x2E, 0x91, 0xCF, 0x11, 0xA5, 0xD6, 0x28, 0xDB, 0x04, 0xC1, 0x00, 0x00 };

    uint32_t le32(const uint8_t* p)
    {
        uint32_t value;
        std::memcpy(&value, p, 4);
        return value;
    }

    uint64_t le64(const uint8_t* p)
    {
        uint64_t value;
        std::memcpy(&value, p, 8);
        return value;
    }

    bool isWave64Id(const uint8_t* guid, const char* fourcc)
    {
        return std::memcmp(guid, fourcc, 4) == 0 && std::memcmp(guid + 4, kWave64Tail, 12) == 0;
    }

} // namespace

LargeWavFile::~LargeWavFile()
{
    close();
}

void LargeWavFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_dataOffset = 0;
    m_dataSize = 0;
}

bool LargeWavFile::open(const std::string& path)
{
    close();
    const RegularFile opened = openRegularFile(path);
    m_notRegular = opened.notRegular;
    m_fd = opened.fd;
    struct stat status { };
    if (m_fd < 0 || ::fstat(m_fd, &status) != 0) {
        close();
        return false;
    }
    const uint64_t fileSize = uint64_t(status.st_size);
    uint8_t start[40] = {};
    bool ok = false;
    if (readAt(0, start, 12) && std::memcmp(start + 8, "WAVE", 4) == 0) {
        if (std::memcmp(start, "RIFF", 4) == 0)
            ok = parseRiff(fileSize, false);
        else if (std::memcmp(start, "RF64", 4) == 0)
            ok = parseRiff(fileSize, true);
    } else if (readAt(0, start, 40) && std::memcmp(start, "riff", 4) == 0
        && std::memcmp(start + 4, kWave64RiffTail, 12) == 0 && isWave64Id(start + 24, "wave")) {
        ok = parseWave64(fileSize);
    }
    if (!ok)
        close();
    return ok;
}

bool LargeWavFile::parseRiff(uint64_t fileSize, bool rf64)
{
    m_layout = rf64 ? Layout::Rf64 : Layout::Riff;
    uint64_t ds64Data = 0;
    bool haveFormat = false;
    unsigned walked = 0;
    for (uint64_t position = 12; position + 8 <= fileSize && walked++ < RiffFile::kMaxChunksWalked;) {
        uint8_t header[8];
        if (!readAt(position, header, 8))
            return false;
        const uint32_t size = le32(header + 4);
        const uint64_t body = position + 8;
        if (std::memcmp(header, "ds64", 4) == 0 && size >= 16) {
            uint8_t sizes[16];
            if (!readAt(body, sizes, 16))
                return false;
            ds64Data = le64(sizes + 8);
        } else if (std::memcmp(header, "fmt ", 4) == 0) {
            uint8_t fmt[16];
            if (size < 16 || !readAt(body, fmt, 16) || !takeFormat(fmt))
                return false;
            haveFormat = true;
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (!haveFormat)
                return false;
            m_dataOffset = body;
            uint64_t declared = size;
            if (rf64 && size == 0xFFFFFFFFu)
                declared = ds64Data;
            // A plain RIFF file past 4 GB: its 32-bit size wrapped, the data runs to the end.
            else if (!rf64 && fileSize - body > 0xFFFFFFFFull)
                declared = fileSize - body;
            m_dataSize = std::min(declared, fileSize - body) / m_format.blockAlign() * m_format.blockAlign();
            return true;
        }
        position = body + size + (size & 1);
    }
    return false;
}

bool LargeWavFile::parseWave64(uint64_t fileSize)
{
    m_layout = Layout::Wave64;
    bool haveFormat = false;
    unsigned walked = 0;
    for (uint64_t position = 40; position + 24 <= fileSize && walked++ < RiffFile::kMaxChunksWalked;) {
        uint8_t header[24];
        if (!readAt(position, header, 24))
            return false;
        const uint64_t size = le64(header + 16); // counts the 24 header bytes
        // The walk moves strictly forward and stays inside the file; only the data chunk may
        // claim more than the file holds (a recording that was cut off).
        if (size < 24)
            return false;
        const uint64_t body = position + 24;
        if (isWave64Id(header, "fmt ")) {
            uint8_t fmt[16];
            if (size < 40 || !readAt(body, fmt, 16) || !takeFormat(fmt))
                return false;
            haveFormat = true;
        } else if (isWave64Id(header, "data")) {
            if (!haveFormat)
                return false;
            m_dataOffset = body;
            m_dataSize = std::min(size - 24, fileSize - body) / m_format.blockAlign() * m_format.blockAlign();
            return true;
        }
        if (size > fileSize - position)
            return false;
        position += (size + 7) / 8 * 8;
    }
    return false;
}

bool LargeWavFile::takeFormat(const uint8_t* fmt)
{
    uint16_t tag, channels, bits;
    std::memcpy(&tag, fmt, 2);
    std::memcpy(&channels, fmt + 2, 2);
    std::memcpy(&bits, fmt + 14, 2);
    const uint32_t rate = le32(fmt + 4);
    const PcmFormat format { bits, channels, rate };
    if (tag != 1 || (channels != 1 && channels != 2) || (bits != 8 && bits != 16) || !format.hasCountableRate())
        return false;
    m_format = format;
    return true;
}

uint64_t LargeWavFile::lengthMs() const
{
    return isOpen() ? m_dataSize * 1000 / m_format.bytesPerSecond() : 0;
}

bool LargeWavFile::readAt(uint64_t offset, void* out, std::size_t size) const
{
    auto* bytes = static_cast<uint8_t*>(out);
    while (size > 0) {
        const ssize_t got = ::pread(m_fd, bytes, size, off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytes += got;
        size -= std::size_t(got);
        offset += uint64_t(got);
    }
    return true;
}

std::size_t LargeWavFile::read(uint64_t offset, std::span<uint8_t> out) const
{
    if (!isOpen() || offset >= m_dataSize)
        return 0;
    const std::size_t size = std::size_t(std::min<uint64_t>(out.size(), m_dataSize - offset));
    return readAt(m_dataOffset + offset, out.data(), size) ? size : 0;
}

} // namespace kx
