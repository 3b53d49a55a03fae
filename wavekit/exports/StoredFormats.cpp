#include "StoredFormats.h"

#include "paneldraw/settings.h"

namespace kx {

NewFileFormat storedFormat(FormatGroup group)
{
    auto path = [group](const char* name) { return formatSettingPath(group, name); };
    NewFileFormat format;
    format.samplesPerSec = uint32_t(RegGetDWord(path("Samples").c_str(), 22050));
    format.avgBytesPerSec = uint32_t(RegGetDWord(path("BytesPerSec").c_str(), 22050));
    format.bitsPerSample = RegGetWord(path("Bit").c_str(), 8);
    format.channels = RegGetWord(path("Channels").c_str(), 1);
    format.blockAlign = RegGetWord(path("BytesPerSample").c_str(), 1);
    return format;
}

} // namespace kx
