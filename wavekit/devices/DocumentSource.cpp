#include "DocumentSource.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <shared_mutex>

namespace kx {

PlayRange PlayRange::of(const WaveDocument& document)
{
    if (document.mark.markLength != 0)
        return { document.mark.markStart, document.mark.markLength };
    return { 0, document.header.dataSize };
}

DocumentSource::DocumentSource(std::shared_ptr<SharedDocument> document, PlayRange range, bool loop)
    : m_document(std::move(document))
    , m_range(range)
    , m_loop(loop)
    , m_position(range.start)
{
    std::shared_lock lock(m_document->lock);
    m_format = PcmFormat::of(m_document->document.header);
}

std::size_t DocumentSource::read(std::span<uint8_t> out)
{
    std::shared_lock lock(m_document->lock);
    const WaveDocument& document = m_document->document;
    if (PcmFormat::of(document.header) != m_format)
        return 0;
    const uint64_t align = m_format.blockAlign();
    const uint64_t available = std::min<uint64_t>(document.header.dataSize, document.samples.size());
    // Whole frames of the range that the data still holds.
    const uint64_t wanted = uint64_t(m_range.start) + m_range.length;
    const uint64_t end
        = m_range.start + (std::min(wanted, available) - std::min<uint64_t>(m_range.start, available)) / align * align;
    const std::size_t room = out.size() / align * align;
    std::size_t written = 0;
    while (written < room) {
        if (m_position >= end) {
            if (!m_loop || end <= m_range.start)
                break;
            m_position = m_range.start;
        }
        const std::size_t count = std::size_t(std::min<uint64_t>(room - written, end - m_position));
        std::memcpy(out.data() + written, document.samples.data() + m_position, count);
        written += count;
        m_position += count;
    }
    return written;
}

} // namespace kx
