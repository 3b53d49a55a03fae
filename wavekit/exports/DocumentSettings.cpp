#include "DocumentSettings.h"

#include "paneldraw/settings.h"

namespace kx {

NewFileFormat newFileFormatFromSettings()
{
    NewFileFormat format;
    format.samplesPerSec = uint32_t(RegGetDWord("Kestrix\\NewFile\\Samples", 22050));
    format.avgBytesPerSec = uint32_t(RegGetDWord("Kestrix\\NewFile\\BytesPerSec", 22050));
    format.bitsPerSample = RegGetWord("Kestrix\\NewFile\\Bit", 8);
    format.channels = RegGetWord("Kestrix\\NewFile\\Channels", 1);
    format.blockAlign = RegGetWord("Kestrix\\NewFile\\BytesPerSample", 1);
    return format;
}

uint16_t startZoomFromSettings()
{
    return RegGetWord("Kestrix\\Settings\\StartUp\\Zoom", 100);
}

} // namespace kx
