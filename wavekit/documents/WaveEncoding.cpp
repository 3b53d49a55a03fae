#include "WaveEncoding.h"

#include <algorithm>
#include <array>

namespace kx {

namespace {

    constexpr uint16_t kTagPcm = 1;
    constexpr uint16_t kTagFloat = 3;
    constexpr uint16_t kTagALaw = 6;
    constexpr uint16_t kTagMuLaw = 7;
    constexpr uint16_t kTagExtensible = 0xFFFE;

    /// The sub-format GUID of the extensible format after its first two bytes, which hold the
    /// ordinary format tag.
    constexpr std::array<uint8_t, 14> kSubFormatTail
        = { 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 };

    uint16_t le16(std::span<const uint8_t> bytes, std::size_t at)
    {
        return uint16_t(bytes[at] | bytes[at + 1] << 8);
    }

    /// The ordinary tag the extensible format wraps; 0 when it wraps something else.
    uint16_t subFormatTag(std::span<const uint8_t> fmt)
    {
        if (fmt.size() < 40 || !std::equal(kSubFormatTail.begin(), kSubFormatTail.end(), fmt.begin() + 26))
            return 0;
        return le16(fmt, 24);
    }

} // namespace

WaveEncoding waveEncodingOf(std::span<const uint8_t> fmt, uint64_t chunkSize)
{
    const uint16_t tag = le16(fmt, 0) == kTagExtensible ? subFormatTag(fmt) : le16(fmt, 0);
    const uint16_t channels = le16(fmt, 2);
    const uint16_t bits = le16(fmt, 14);
    if (tag == kTagPcm) {
        const bool plainDepth = bits == 8 || bits == 16;
        if (plainDepth && channels <= 2)
            return WaveEncoding::Pcm;
        return plainDepth || bits == 24 || bits == 32 ? WaveEncoding::Variant : WaveEncoding::Pcm;
    }
    if (le16(fmt, 0) == kTagExtensible || tag == kTagFloat || tag == kTagALaw || tag == kTagMuLaw)
        return WaveEncoding::Variant;
    return chunkSize <= 18 ? WaveEncoding::Pcm : WaveEncoding::Compressed;
}

} // namespace kx
