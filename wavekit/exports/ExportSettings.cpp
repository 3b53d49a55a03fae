#include "ExportSettings.h"

#include "paneldraw/settings.h"

#include <algorithm>
#include <cstdlib>

namespace kx {

std::string exportQualitySetting(ExportFormat format)
{
    return std::string("Kestrix\\Settings\\Export\\") + exportFormatName(format) + "Quality";
}

int storedExportQuality(ExportFormat format)
{
    const ExportQuality range = exportQuality(format);
    const std::string stored = RegGetString(exportQualitySetting(format).c_str(), "");
    if (stored.empty())
        return range.standard;
    return std::clamp(int(std::strtol(stored.c_str(), nullptr, 10)), range.lowest, range.highest);
}

const char* exportQualityMeaning(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Flac:
        return "Compression level: 0 fastest, 12 smallest; lossless at every level";
    case ExportFormat::OggVorbis:
        return "Quality: -1 smallest, 10 best";
    case ExportFormat::Opus:
        return "Bit rate in kbit/s";
    case ExportFormat::Mp3:
        return "Quality: 0 best, 9 smallest";
    }
    return "";
}

} // namespace kx
