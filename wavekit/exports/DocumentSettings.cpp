#include "DocumentSettings.h"

#include "StoredFormats.h"

#include "paneldraw/settings.h"

namespace kx {

NewFileFormat newFileFormatFromSettings()
{
    return storedFormat(FormatGroup::NewFile);
}

uint16_t startZoomFromSettings()
{
    return RegGetWord("Kestrix\\Settings\\StartUp\\Zoom", 100);
}

} // namespace kx
