#include "WavWriter.h"

#include "FileTexts.h"
#include "PendingFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace kx {

const char* wavWriteMessage(WavWriteStatus status)
{
    switch (status) {
    case WavWriteStatus::Ok:
        return "";
    case WavWriteStatus::CannotCreate:
        return "Cannot write. May be read-only.";
    case WavWriteStatus::CannotWriteFormat:
        return "Cannot write PCMWAVEFORMAT. May be read-only.";
    case WavWriteStatus::CannotCreateData:
        return "Cannot write data. May be read-only.";
    case WavWriteStatus::CannotWriteData:
        return "Cannot write data.";
    }
    return "";
}

namespace {

    constexpr uint64_t kHeaderBytes = sizeof(WaveHeader);

} // namespace

WavStreamWriter::WavStreamWriter(const std::string& path, const WaveHeader& header, const WavWriteOptions& options)
    : m_target(resolvedTarget(path))
    , m_file(m_target, options.newFileMode)
    , m_options(options)
{
    WaveHeader out;
    out.nChannels = header.nChannels;
    out.nSamplesPerSec = header.nSamplesPerSec;
    out.nAvgBytesPerSec = header.nAvgBytesPerSec;
    out.nBlockAlign = header.nBlockAlign;
    out.wBitsPerSample = header.wBitsPerSample;
    out.setDataSize(header.dataSize);
    m_dataSize = header.dataSize;
    if (options.texts) {
        const std::vector<uint8_t> list = infoListChunk(*options.texts);
        if (!list.empty()) {
            m_trailer.assign(header.dataSize % 2, 0);
            m_trailer.insert(m_trailer.end(), list.begin(), list.end());
            out.riffSize += uint32_t(m_trailer.size());
        }
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(&out);

    const int fd = m_file.fd();
    if (fd < 0) {
        fail(WavWriteStatus::CannotCreate);
        return;
    }
    // Reserving the blocks in one go is much cheaper than having the file system find them page by
    // page, and a disk too full for the file says so before any work is done. A limit of another
    // kind is met by the writes below, which say at which step.
    if (::fallocate(fd, 0, 0, off_t(kHeaderBytes + header.dataSize + m_trailer.size())) != 0 && errno == ENOSPC) {
        fail(WavWriteStatus::CannotWriteData);
        return;
    }
    if (!writeAll(fd, bytes, 20, 0)) // RIFF header and the fmt chunk's header
        fail(WavWriteStatus::CannotCreate);
    else if (!writeAll(fd, bytes + 20, 16, 20))
        fail(WavWriteStatus::CannotWriteFormat);
    else if (!writeAll(fd, bytes + 36, 8, 36))
        fail(WavWriteStatus::CannotCreateData);
}

bool WavStreamWriter::fail(WavWriteStatus status)
{
    WavWriteStatus ok = WavWriteStatus::Ok;
    m_status.compare_exchange_strong(ok, status);
    return false;
}

bool WavStreamWriter::write(std::span<const uint8_t> bytes)
{
    return writeAt(m_position, bytes);
}

bool WavStreamWriter::writeAt(uint64_t offset, std::span<const uint8_t> bytes)
{
    if (m_status != WavWriteStatus::Ok)
        return false;
    if (!writeAll(m_file.fd(), bytes.data(), bytes.size(), kHeaderBytes + offset))
        return fail(WavWriteStatus::CannotWriteData);
    m_position = offset + bytes.size();
    return true;
}

bool WavStreamWriter::copyFrom(int source, uint64_t sourceOffset, uint64_t offset, uint64_t length)
{
    if (m_status != WavWriteStatus::Ok)
        return false;
    auto from = loff_t(sourceOffset);
    auto to = loff_t(kHeaderBytes + offset);
    while (length > 0) {
        const ssize_t done = ::copy_file_range(source, &from, m_file.fd(), &to, std::size_t(length), 0);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            // Nothing is lost: the caller copies the rest itself, from where this stopped.
            if (done < 0 && (errno == ENOSPC || errno == EFBIG || errno == EIO))
                return fail(WavWriteStatus::CannotWriteData);
            return false;
        }
        length -= uint64_t(done);
    }
    m_position = uint64_t(to) - kHeaderBytes;
    return true;
}

WavWriteStatus WavStreamWriter::commit()
{
    if (m_status == WavWriteStatus::Ok && !m_trailer.empty()
        && !writeAll(m_file.fd(), m_trailer.data(), m_trailer.size(), kHeaderBytes + m_dataSize))
        fail(WavWriteStatus::CannotWriteData);
    if (m_status == WavWriteStatus::Ok && m_options.flushToDisk && ::fdatasync(m_file.fd()) != 0)
        fail(WavWriteStatus::CannotWriteData);
    if (m_status != WavWriteStatus::Ok)
        return m_status;
    if (!m_file.commit()) {
        fail(WavWriteStatus::CannotCreate);
        return WavWriteStatus::CannotCreate;
    }
    if (m_options.flushToDisk)
        syncDirectoryOf(m_target);
    return WavWriteStatus::Ok;
}

WavWriteStatus writeWavFile(
    const std::string& path, const WaveHeader& header, std::span<const uint8_t> samples, const WavWriteOptions& options)
{
    WaveHeader sized = header;
    sized.setDataSize(uint32_t(samples.size()));
    WavStreamWriter writer(path, sized, options);
    writer.write(samples);
    return writer.commit();
}

std::optional<uint64_t> freeBytesForFile(const std::string& path)
{
    struct statvfs info { };
    if (::statvfs(directoryOf(resolvedTarget(path)).c_str(), &info) != 0)
        return std::nullopt;
    return uint64_t(info.f_bavail) * uint64_t(info.f_frsize);
}

std::string withWaveExtension(const std::string& path)
{
    if (path.size() >= 4 && path[path.size() - 4] == '.')
        return path;
    return path + ".wav";
}

} // namespace kx
