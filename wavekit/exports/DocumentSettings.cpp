#include "DocumentSettings.h"

#include "StoredFormats.h"
#include "dialogs/OptionSettings.h"

#include "paneldraw/settings.h"

namespace kx {

NewFileFormat newFileFormatFromSettings()
{
    return storedFormat(FormatGroup::NewFile);
}

uint16_t startZoomFromSettings()
{
    return RegGetWord(kStartZoomSetting, kDefaultStartZoom);
}

} // namespace kx
