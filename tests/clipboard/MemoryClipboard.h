#pragma once

#include "../filters/FilterDocuments.h"
#include "clipboard/ClipboardSource.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace kx::test {

/// A clipboard held in memory; `failAfter` makes reads fail once that many bytes are handed out.
class MemoryClipboard : public ClipboardSource {
public:
    MemoryClipboard(const WaveHeader& format, std::vector<uint8_t> bytes)
        : m_header(format)
        , m_bytes(std::move(bytes))
    {
        m_header.setDataSize(uint32_t(m_bytes.size()));
    }
    static MemoryClipboard of(const WaveDocument& document) { return { document.header, bytesOf(document) }; }

    const WaveHeader& header() const override { return m_header; }
    bool read(std::span<uint8_t> bytes) override
    {
        if (m_position + bytes.size() > std::min(m_bytes.size(), failAfter))
            return false;
        std::memcpy(bytes.data(), m_bytes.data() + m_position, bytes.size());
        m_position += bytes.size();
        return true;
    }
    std::size_t failAfter = SIZE_MAX;

private:
    WaveHeader m_header;
    std::vector<uint8_t> m_bytes;
    std::size_t m_position = 0;
};

} // namespace kx::test
