#include "NewDocument.h"

#include "FileTexts.h"

namespace kx {

std::string untitledName(int number)
{
    return "Unnamed -" + std::to_string(number) + "-.WAV";
}

WaveDocument makeNewDocument(const NewFileFormat& format, int number, uint16_t zoom)
{
    WaveDocument document;
    document.header.riffSize = 0;
    document.header.dataSize = 0;
    document.header.nSamplesPerSec = format.samplesPerSec;
    document.header.nAvgBytesPerSec = format.avgBytesPerSec;
    document.header.wBitsPerSample = format.bitsPerSample;
    document.header.nChannels = format.channels;
    document.header.nBlockAlign = format.blockAlign;
    document.mark = MarkRecord {};
    document.mark.zoom = zoom;
    document.info.fileName = untitledName(number);
    document.info.hasFile = false;
    document.info.saved = 1;
    document.info.working = 0;
    document.info.sourceKind = SourcePcmWave;
    document.texts = FileTextInfo {};
    document.texts.hasInfoList = 1;
    document.texts.software = kNewDocumentSoftware;
    return document;
}

bool hasOwnTexts(const FileTextInfo& texts)
{
    FileTextInfo withoutStamp = texts;
    if (withoutStamp.software == kNewDocumentSoftware)
        withoutStamp.software.clear();
    return hasTexts(withoutStamp);
}

WaveDocument makeDocumentFromFile(WavFileContents&& contents, const std::string& path, uint16_t zoom)
{
    WaveDocument document;
    document.header = contents.header;
    document.samples = std::move(contents.samples);
    document.texts = std::move(contents.texts);
    document.mark = MarkRecord {};
    document.mark.zoom = zoom;
    document.info.fileName = path;
    document.info.hasFile = true;
    document.info.saved = 1;
    document.info.working = 0;
    document.info.sourceKind = SourcePcmWave;
    return document;
}

} // namespace kx
