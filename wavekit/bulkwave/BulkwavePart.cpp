#include "BulkwavePart.h"

#include "devices/BulkwaveMarks.h"
#include "documents/LargeWavFile.h"
#include "documents/NewDocument.h"
#include "documents/RegularFile.h"
#include "exports/DocumentSettings.h"
#include "exports/DocumentWindows.h"
#include "exports/Repaint.h"
#include "exports/WindowRequests.h"

#include <atomic>

namespace kx {

namespace {

    std::atomic<uint32_t> g_partCounter { 0 };

} // namespace

bool loadWavePart(HWND frame, uint64_t start, uint64_t length, const std::string& file)
{
    LargeWavFile source;
    if (!source.open(file)) {
        ErrorBox(frame, source.notRegular() ? kNotRegularFileText : "File is not a wave file.");
        return false;
    }
    start = std::min(start, source.dataSize());
    if (length == 0 || length > source.dataSize() - start)
        length = source.dataSize() - start;
    const std::string title = bulkwave::partTitle(file, ++g_partCounter);
    // A document holds at most what a RIFF header can describe.
    SampleBuffer samples = length <= 0xFFFFFFFFull - 36 ? SampleBuffer::allocate(std::size_t(length)) : SampleBuffer();
    if (length != 0 && !samples.data()) {
        ErrorBox(frame, "NOT ENOUGH MEMORY");
        return false;
    }
    if (source.read(start, samples.bytes()) != length) {
        ErrorBox(frame, "Cannot read data.");
        return false;
    }
    WavFileContents contents;
    source.format().applyTo(contents.header);
    contents.header.setDataSize(uint32_t(length));
    contents.samples = std::move(samples);
    WaveDocument document = makeDocumentFromFile(std::move(contents), title, startZoomFromSettings());
    // A part is a new document: nothing on disk holds it yet.
    document.info.hasFile = false;
    document.info.saved = 0;
    const HWND client = reinterpret_cast<HWND>(SendMessage(frame, MsgGetMdiClient, 0, 0));
    const HWND wave = createWaveWindow(client, std::move(document), true);
    if (!wave)
        return false;
    showChangedData(frame, wave);
    return true;
}

} // namespace kx
