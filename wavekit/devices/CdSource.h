#pragma once

#include "AudioSource.h"
#include "CdDisc.h"

#include <atomic>
#include <memory>
#include <vector>

namespace kx {

/// The sectors of a disc from one sector up to another, as 16-bit stereo samples at 44100 Hz.
/// A sector that cannot be read ends the source: it is noted, never replaced by anything.
class CdSource final : public AudioSource {
public:
    CdSource(std::shared_ptr<CdDisc> disc, int32_t start, int32_t end);

    std::size_t read(std::span<uint8_t> out) override;

    /// The sector that could not be read, or -1.
    int32_t failedSector() const { return m_failed.load(); }

private:
    static constexpr int kSectorsAtOnce = 8;

    std::shared_ptr<CdDisc> m_disc;
    int32_t m_next; ///< next sector to read from the disc
    int32_t m_end;
    std::vector<uint8_t> m_buffer;
    std::size_t m_bufferPosition = 0;
    std::atomic<int32_t> m_failed { -1 };
};

} // namespace kx
