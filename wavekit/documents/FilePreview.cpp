#include "FilePreview.h"

#include <cstdio>

namespace kx {

namespace {

uint32_t le32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t le16(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

} // namespace

std::string formatMinutesSeconds(uint64_t ms)
{
    char text[64];
    std::snprintf(text, sizeof text, "%02llu m %02llu.%03llu s", static_cast<unsigned long long>(ms / 60000),
                  static_cast<unsigned long long>(ms % 60000 / 1000), static_cast<unsigned long long>(ms % 1000));
    return text;
}

std::optional<FilePreviewTexts> filePreview(std::span<const uint8_t> bytes)
{
    if (bytes.size() < 44 || bytes[0] != 'R' || bytes[3] != 'F')
        return std::nullopt;
    const uint32_t riffSize = le32(&bytes[4]);
    const uint16_t channels = le16(&bytes[22]);
    const uint32_t rate = le32(&bytes[24]);
    const uint32_t avgBytes = le32(&bytes[28]);
    const uint16_t bits = le16(&bytes[34]);
    const uint32_t dataSize = le32(&bytes[40]);

    FilePreviewTexts texts;
    texts.size = std::to_string(riffSize / 1024) + " KB";
    texts.rate = std::to_string(rate) + " Hz";
    texts.format = std::to_string(bits) + (channels == 2 ? " Bit, Stereo" : " Bit, Mono");
    if (bits == 8 || bits == 16) {
        // A header without bytes per second has no length to show (rather than dividing by zero).
        const double t = riffSize == 0 || avgBytes == 0 ? 0.0 : double(dataSize) / double(avgBytes) * 1000.0;
        texts.length = formatMinutesSeconds(uint64_t(t));
    } else {
        texts.length = "compressed";
    }
    return texts;
}

} // namespace kx
