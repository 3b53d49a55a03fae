#include "CdSource.h"

#include <algorithm>
#include <cstring>

namespace kx {

CdSource::CdSource(std::shared_ptr<CdDisc> disc, int32_t start, int32_t end)
    : m_disc(std::move(disc))
    , m_next(start)
    , m_end(end)
{
}

std::size_t CdSource::read(std::span<uint8_t> out)
{
    out = out.first(out.size() / CdDisc::kFormat.blockAlign() * CdDisc::kFormat.blockAlign());
    std::size_t written = 0;
    while (written < out.size()) {
        if (m_bufferPosition == m_buffer.size()) {
            if (m_next >= m_end || m_failed.load() >= 0)
                break;
            const int32_t count = std::min<int32_t>(kSectorsAtOnce, m_end - m_next);
            m_buffer.resize(std::size_t(count) * CdDisc::kSectorBytes);
            if (const auto bad = m_disc->read(m_next, m_buffer)) {
                m_failed = *bad;
                m_buffer.resize(std::size_t(*bad - m_next) * CdDisc::kSectorBytes);
            }
            m_next += count;
            m_bufferPosition = 0;
            continue;
        }
        const std::size_t piece = std::min(out.size() - written, m_buffer.size() - m_bufferPosition);
        std::memcpy(out.data() + written, m_buffer.data() + m_bufferPosition, piece);
        written += piece;
        m_bufferPosition += piece;
    }
    return written;
}

} // namespace kx
