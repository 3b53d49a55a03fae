#pragma once

#include "media/SoundExport.h"

#include <string>

namespace kx {

/// The format the save dialog last saved with: "wav" or an export format's name.
inline constexpr const char* kSaveFormatSetting = "Kestrix\\Directories\\WaveSaveFormat";

/// "Kestrix\Settings\Export\<name>Quality": the quality last chosen for the format.
std::string exportQualitySetting(ExportFormat format);
/// The stored quality, within the format's range; its default when none is stored.
int storedExportQuality(ExportFormat format);
/// What the quality number of the format means, for the save dialog.
const char* exportQualityMeaning(ExportFormat format);

} // namespace kx
