#pragma once

#include "WaveDocument.h"

#include <optional>
#include <string>

namespace kx {

/// What saving needs from the person at the screen.
class SaveInteraction {
public:
    virtual ~SaveInteraction() = default;
    /// Shows a failure text; the save then ends.
    virtual void showError(const std::string& text) = 0;
    /// "This file can not be saved in its original format. Shall I save it as a .WAV file?"
    virtual bool confirmSaveAsWave() = 0;
    /// A new file name from the save dialog; nullopt when cancelled.
    virtual std::optional<std::string> chooseSavePath() = 0;
    /// Bytes free where `path` would be written.
    virtual std::optional<uint64_t> freeBytes(const std::string& path);
};

/// "Not enough free memory on specified drive.\nYou need %ld KB more."
std::string notEnoughSpaceMessage(uint64_t missingBytes);

/// Saves `document` under `path` as a PCM WAV file: checks the free space of the target's file
/// system, asks before replacing a source format other than PCM WAV (choosing a new name, which
/// then becomes the document's name), appends ".wav" when the name has no three-letter extension
/// and writes the file. `path` and the document's name end up as the name written. The document is marked saved only
/// when the file was written; on any failure it and the file on disk stay as they were.
bool saveDocument(WaveDocument& document, std::string& path, SaveInteraction& interaction);
/// The same for a document others may read meanwhile (under a shared lock): the changes to its
/// name and state go to `info`, which the caller puts in place under an exclusive lock.
bool saveDocument(const WaveDocument& document, DocumentInfo& info, std::string& path, SaveInteraction& interaction);

} // namespace kx
