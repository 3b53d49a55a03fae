#pragma once

#include "documents/FormatSettings.h"
#include "documents/NewDocument.h"

namespace kx {

/// The five stored format values of new files or of raw files, as they are in the store.
NewFileFormat storedFormat(FormatGroup group);

} // namespace kx
