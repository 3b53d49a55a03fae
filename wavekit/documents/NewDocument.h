#pragma once

#include "WavReader.h"
#include "WaveDocument.h"

#include <string>

namespace kx {

/// The format a new document gets (the new-file settings).
struct NewFileFormat {
    uint32_t samplesPerSec = 22050;
    uint32_t avgBytesPerSec = 22050;
    uint16_t bitsPerSample = 8;
    uint16_t channels = 1;
    uint16_t blockAlign = 1;
};

/// "Unnamed -<number>-.WAV"
std::string untitledName(int number);

/// The program's stamp in the texts of a new document.
inline constexpr const char* kNewDocumentSoftware = "Kestrix2000 for Windows";

/// Whether `texts` hold anything beyond a new document's stamp: texts a file brought or the user
/// gave, which a save must keep.
bool hasOwnTexts(const FileTextInfo& texts);

/// An empty document: no data block, the given format, saved, with the texts a new file carries.
WaveDocument makeNewDocument(const NewFileFormat& format, int number, uint16_t zoom);

/// A document built from a read WAV file: named after `path`, saved, loaded from a PCM WAV file.
WaveDocument makeDocumentFromFile(WavFileContents&& contents, const std::string& path, uint16_t zoom);

} // namespace kx
