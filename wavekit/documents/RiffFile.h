#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kx {

/// Four-character chunk identifier.
using FourCC = std::array<char, 4>;
constexpr FourCC fourCC(const char (&text)[5])
{
    return { text[0], text[1], text[2], text[3] };
}

struct RiffChunk {
    FourCC id {};
    uint32_t size = 0;
    FourCC formType {}; ///< only for "RIFF" and "LIST" chunks
    uint64_t dataOffset = 0; ///< first byte after the header (after the form type for RIFF/LIST)

    /// Where the chunk's data ends as its header declares it (may lie past the end of the file).
    uint64_t declaredEnd() const { return dataOffset + size - (hasFormType() ? 4 : 0); }
    bool hasFormType() const { return id == fourCC("RIFF") || id == fourCC("LIST"); }
};

/// Read-only navigation through the chunks of a RIFF file: descend into a chunk, search a chunk
/// by id inside a parent, read, and ascend out of a chunk again. Chunks are word aligned: an odd
/// chunk is followed by a pad byte. Nothing here trusts a declared size further than the file.
class RiffFile {
public:
    RiffFile() = default;
    ~RiffFile();
    RiffFile(const RiffFile&) = delete;
    RiffFile& operator=(const RiffFile&) = delete;

    /// Opens a regular file; a folder, pipe or device is refused (`notRegular`) without waiting.
    bool open(const std::string& path);
    void close();
    /// The last open failed because the name is no regular file.
    bool notRegular() const { return m_notRegular; }
    /// How many chunks one search walks at most before it gives up.
    static constexpr unsigned kMaxChunksWalked = 65536;
    bool isOpen() const { return m_fd >= 0; }
    uint64_t fileSize() const { return m_fileSize; }
    uint64_t position() const { return m_position; }

    /// Reads the chunk header at the current position (and the form type of a RIFF or LIST chunk).
    bool descend(RiffChunk& chunk);
    /// Searches `id` from the current position up to the end of `parent`. On success the position
    /// is inside the found chunk; on failure it is where it was.
    bool find(const FourCC& id, const RiffChunk& parent, RiffChunk& chunk);
    /// Moves to the end of `chunk`, past its pad byte.
    bool ascend(const RiffChunk& chunk);
    /// Moves back to the first chunk inside `parent`, e.g. to look again for chunks that stand before
    /// the current position.
    void rewind(const RiffChunk& parent) { m_position = parent.dataOffset; }
    /// Reads up to `count` bytes from the current position; returns how many were read, or -1
    /// on an input error.
    int64_t read(void* destination, std::size_t count);
    /// Reads up to `count` bytes from `offset` without moving the current position.
    int64_t readAt(uint64_t offset, void* destination, std::size_t count) const;
    /// The open file's descriptor, for copies the kernel makes itself; -1 when closed.
    int descriptor() const { return m_fd; }

private:
    int m_fd = -1;
    uint64_t m_fileSize = 0;
    uint64_t m_position = 0;
    bool m_notRegular = false;
};

} // namespace kx
