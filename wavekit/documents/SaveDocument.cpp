#include "SaveDocument.h"

#include "FileTexts.h"
#include "NewDocument.h"
#include "WavWriter.h"

#include <utility>

namespace kx {

std::string notEnoughSpaceMessage(uint64_t missingBytes)
{
    return "Not enough free memory on specified drive.\nYou need " + std::to_string(missingBytes / 1024) + " KB more.";
}

std::optional<uint64_t> SaveInteraction::freeBytes(const std::string& path)
{
    return freeBytesForFile(path);
}

namespace {

    /// False (after saying so) when the file system of `path` has no more room than the file needs.
    bool hasRoomFor(const std::string& path, uint64_t fileLength, SaveInteraction& interaction)
    {
        const auto freeBytes = interaction.freeBytes(path);
        if (!freeBytes || *freeBytes > fileLength)
            return true;
        interaction.showError(notEnoughSpaceMessage(fileLength - *freeBytes));
        return false;
    }

} // namespace

bool saveDocument(WaveDocument& document, std::string& path, SaveInteraction& interaction)
{
    DocumentInfo info = document.info;
    const bool saved = saveDocument(std::as_const(document), info, path, interaction);
    document.info = info;
    return saved;
}

bool saveDocument(const WaveDocument& document, DocumentInfo& info, std::string& path, SaveInteraction& interaction)
{
    // A new document's stamp alone is not written: such a file stays the canonical 44 bytes and data.
    const FileTextInfo* texts = hasOwnTexts(document.texts) ? &document.texts : nullptr;
    const uint64_t fileLength = uint64_t(document.header.dataSize) + 44
        + (texts ? document.header.dataSize % 2 + infoListChunk(*texts).size() : 0);
    if (!hasRoomFor(path, fileLength, interaction))
        return false;
    if (document.info.sourceKind != SourcePcmWave) {
        if (!interaction.confirmSaveAsWave())
            return false;
        const auto chosen = interaction.chooseSavePath();
        if (!chosen)
            return false;
        // The new name is the document's from now on, even if writing fails below; the source
        // kind stays, so the next save asks again.
        path = *chosen;
        info.fileName = *chosen;
        if (!hasRoomFor(path, fileLength, interaction))
            return false;
    }
    path = withWaveExtension(path);
    const std::size_t length = document.samples.isNull() ? 0 : document.header.dataSize;
    // The texts go with the samples, wherever they came from (a LIST chunk, tags, the user).
    WavWriteOptions options;
    options.texts = texts;
    const auto status = writeWavFile(path, document.header, { document.samples.data(), length }, options);
    if (status != WavWriteStatus::Ok) {
        interaction.showError(wavWriteMessage(status));
        return false;
    }
    info.fileName = path;
    info.hasFile = true;
    info.saved = 1;
    return true;
}

} // namespace kx
