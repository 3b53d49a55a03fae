#pragma once

#include "documents/NewDocument.h"

namespace kx {

/// The format of new documents from "Kestrix\NewFile\...".
NewFileFormat newFileFormatFromSettings();
/// The zoom new and loaded documents start with ("Kestrix\Settings\StartUp\Zoom").
uint16_t startZoomFromSettings();

} // namespace kx
