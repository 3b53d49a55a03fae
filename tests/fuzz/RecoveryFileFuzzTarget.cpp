// Feeds arbitrary bytes to the crash-recovery reader: a copy it loads is a document the editor can
// hold, and nothing is allocated that the file does not hold.
#include "FuzzInput.h"

#include "documents/PcmFormat.h"
#include "documents/RecoveryFile.h"

using kx::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = kx::fuzz::inputFile(data, size);
    if (path.empty())
        return 0;
    const std::optional<std::string> name = kx::recoveredName(path);
    const std::optional<kx::WaveDocument> document = kx::readRecoveryFile(path);
    check(name.has_value() == document.has_value(), "a named copy is a whole copy");
    if (!document)
        return 0;
    const kx::WaveHeader& h = document->header;
    const kx::PcmFormat format = kx::PcmFormat::of(h);
    check(h.wFormatTag == 1 && (h.nChannels == 1 || h.nChannels == 2), "PCM, mono or stereo");
    check(h.wBitsPerSample == 8 || h.wBitsPerSample == 16, "8 or 16 bit");
    check(h.nBlockAlign == format.blockAlign() && h.nAvgBytesPerSec == format.bytesPerSecond() && h.nAvgBytesPerSec > 0,
        "sizes follow the format");
    check(document->samples.size() == h.dataSize && h.dataSize < size, "samples as declared, inside the file");
    check(uint64_t(document->mark.markStart) + document->mark.markLength <= h.dataSize, "the mark lies in the data");
    check(*name == document->info.fileName, "one name");
    return 0;
}
