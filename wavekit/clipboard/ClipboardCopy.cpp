#include "ClipboardCopy.h"

#include "documents/WavWriter.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace kx {

namespace {

    /// Closes `fd` on a thread of its own, or here when no thread can be had.
    void closeLater(int fd)
    {
        try {
            std::thread([fd] { ::close(fd); }).detach();
        } catch (const std::system_error&) {
            ::close(fd);
        }
    }

} // namespace

CopyResult copyToClipboard(const WaveDocument& document, const std::string& path)
{
    const uint32_t dataSize = std::min<uint64_t>(document.header.dataSize, document.samples.size());
    if (dataSize == 0)
        return { CopyStatus::NothingToCopy };
    const uint64_t needed = uint64_t(dataSize) + sizeof(WaveHeader);
    if (const auto free = freeBytesForFile(path); free && *free <= needed)
        return { CopyStatus::NotEnoughSpace, needed - *free };

    uint32_t start = 0;
    uint32_t length = dataSize;
    if (document.mark.markLength != 0) {
        start = std::min(document.mark.markStart, dataSize);
        length = std::min(document.mark.markLength, dataSize - start);
    }
    // A temporary file may be lost in a crash; it is not worth waiting for the disk.
    WavWriteOptions options;
    options.flushToDisk = false;
    options.newFileMode = 0600;
    const auto samples = document.samples.bytes().subspan(start, length);
    // Replacing a large clipboard gives its pages back to the system, which costs a fair part of
    // the time of writing it. Held open, the old file lives on until it is closed, and that is
    // done on a thread of its own so that the copy need not wait for it.
    const int previous = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const WavWriteStatus written = writeWavFile(path, document.header, samples, options);
    if (previous >= 0)
        closeLater(previous);
    if (written != WavWriteStatus::Ok)
        return { CopyStatus::CannotWrite };
    return { CopyStatus::Copied };
}

std::string copyMessage(const CopyResult& result)
{
    switch (result.status) {
    case CopyStatus::NotEnoughSpace: {
        char text[128];
        std::snprintf(text, sizeof text, "Not enough free memory on specified drive.\nYou need %ld KB more.",
            long(result.missingBytes / 1024));
        return text;
    }
    case CopyStatus::CannotWrite:
        return "Cannot write data.";
    default:
        return "";
    }
}

} // namespace kx
