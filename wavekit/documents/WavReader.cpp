#include "WavReader.h"

#include "FileTexts.h"
#include "PcmFormat.h"
#include "WaveEncoding.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace kx {

const char* wavReadMessage(WavReadStatus status)
{
    switch (status) {
    case WavReadStatus::Ok:
        return "";
    case WavReadStatus::CannotOpen:
        return "File not found or something else.";
    case WavReadStatus::NoFirstChunk:
        return "File too small.";
    case WavReadStatus::NotWave:
        return "File is not a wave file.";
    case WavReadStatus::WrongFormat:
    case WavReadStatus::NeedsDecoder:
        return "File is in wrong format.";
    case WavReadStatus::Truncated:
        return "File truncated.";
    case WavReadStatus::NotEightOrSixteenBit:
        return "File is neither 8 nor 16 bit.";
    case WavReadStatus::NoDataChunk:
        return "File bad. Data chunk not found.";
    case WavReadStatus::OutOfMemory:
        return "NOT ENOUGH MEMORY";
    case WavReadStatus::CannotAscend:
        return "can't ascend.";
    }
    return "";
}

namespace wavchunks {

    namespace {

        uint16_t le16(const uint8_t* p)
        {
            return uint16_t(p[0] | p[1] << 8);
        }

        uint32_t le32(const uint8_t* p)
        {
            return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        }

        /// The texts of one LIST/INFO chunk, in whatever order they stand; a text of 128 bytes or
        /// more is skipped, not shortened.
        void readInfoList(RiffFile& file, const RiffChunk& list, FileTextInfo& texts)
        {
            const uint64_t end = std::min(list.declaredEnd(), file.fileSize());
            for (unsigned walked = 0; walked < RiffFile::kMaxChunksWalked && file.position() + 8 <= end; ++walked) {
                RiffChunk text;
                if (!file.descend(text))
                    break;
                const auto field = infoField(text.id.data());
                if (field && text.size < FileTextInfo::kFieldSize) {
                    char buffer[FileTextInfo::kFieldSize] = {};
                    const int64_t got = file.read(buffer, text.size);
                    if (got > 0 && (texts.*field).empty())
                        texts.*field = std::string(buffer, strnlen(buffer, std::size_t(got)));
                }
                file.ascend(text);
            }
        }

        /// An ID3 tag larger than this is no tag of texts (pictures are skipped with it).
        constexpr uint32_t kMaxId3Bytes = 1u << 20;

    } // namespace

    uint64_t keptDataLength(const RiffFile& file, const RiffChunk& data, uint16_t blockAlign, bool& cutShort)
    {
        // Never trust the declared size further than the file.
        const uint64_t available = file.fileSize() > data.dataOffset ? file.fileSize() - data.dataOffset : 0;
        cutShort = available < data.size;
        if (!cutShort)
            return data.size;
        return blockAlign > 1 ? available - available % blockAlign : available;
    }

    WavReadStatus openRiff(RiffFile& file, const std::string& path, RiffChunk& first)
    {
        if (!file.open(path))
            return WavReadStatus::CannotOpen;
        if (!file.descend(first))
            return WavReadStatus::NoFirstChunk;
        if (first.id != fourCC("RIFF") || first.formType != fourCC("WAVE"))
            return WavReadStatus::NotWave;
        return WavReadStatus::Ok;
    }

    WavReadStatus findFormat(RiffFile& file, const RiffChunk& riff, RiffChunk& fmt)
    {
        if (!file.find(fourCC("fmt "), riff, fmt) || fmt.size < 16)
            return WavReadStatus::WrongFormat;
        return WavReadStatus::Ok;
    }

    WavReadStatus readPcmFormat(RiffFile& file, const RiffChunk& fmt, WaveHeader& header)
    {
        uint8_t bytes[40];
        const int64_t got = file.read(bytes, std::size_t(std::min<uint64_t>(fmt.size, sizeof bytes)));
        if (got < 16)
            return WavReadStatus::Truncated;
        const uint16_t bits = le16(bytes + 14);
        if (bits != 8 && bits != 16)
            return WavReadStatus::NotEightOrSixteenBit;
        if (!file.ascend(fmt))
            return WavReadStatus::Truncated;
        // Anything but mono or stereo at a rate whose data rate can be counted would be misread (or
        // divided by zero) by every operation downstream.
        const PcmFormat format { bits, le16(bytes + 2), le32(bytes + 4) };
        if ((format.channels != 1 && format.channels != 2) || !format.hasCountableRate())
            return WavReadStatus::WrongFormat;
        // Coded samples (u-law, a-law) read byte for byte would play and save as noise.
        if (waveEncodingOf(std::span<const uint8_t>(bytes, std::size_t(got)), fmt.size) != WaveEncoding::Pcm)
            return WavReadStatus::NeedsDecoder;
        // The frame size and the data rate are sizes the operations rely on: they follow from the
        // format, whatever the file claims (documents are PCM whatever tag the file carried).
        header = WaveHeader {};
        format.applyTo(header);
        return WavReadStatus::Ok;
    }

    WavReadStatus findData(RiffFile& file, const RiffChunk& riff, RiffChunk& data)
    {
        return file.find(fourCC("data"), riff, data) ? WavReadStatus::Ok : WavReadStatus::NoDataChunk;
    }

    WavReadStatus readData(
        RiffFile& file, const RiffChunk& data, uint16_t blockAlign, SampleBuffer& samples, bool& cutShort)
    {
        const uint64_t length = keptDataLength(file, data, blockAlign, cutShort);
        samples = SampleBuffer::allocate(std::size_t(length));
        if (samples.isNull())
            return WavReadStatus::OutOfMemory;
        if (length > 0 && file.read(samples.data(), std::size_t(length)) != int64_t(length)) {
            samples.reset();
            return WavReadStatus::CannotAscend;
        }
        if (!file.ascend(data)) {
            samples.reset();
            return WavReadStatus::CannotAscend;
        }
        return WavReadStatus::Ok;
    }

    void readInfoTexts(RiffFile& file, const RiffChunk& riff, FileTextInfo& texts)
    {
        texts = FileTextInfo {};
        // Tagging tools place their LIST chunk before or after the data, order its texts as they like
        // and may add an ID3 tag: all of them are read, the LIST texts first.
        FileTextInfo id3;
        file.rewind(riff);
        const uint64_t riffEnd = std::min(riff.declaredEnd(), file.fileSize());
        for (unsigned walked = 0; walked < RiffFile::kMaxChunksWalked && file.position() + 8 <= riffEnd; ++walked) {
            RiffChunk chunk;
            if (!file.descend(chunk))
                break;
            if (chunk.id == fourCC("LIST") && chunk.formType == fourCC("INFO")) {
                texts.hasInfoList = 1;
                readInfoList(file, chunk, texts);
            } else if ((chunk.id == fourCC("id3 ") || chunk.id == fourCC("ID3 ")) && chunk.size <= kMaxId3Bytes
                && chunk.declaredEnd() <= file.fileSize()) {
                std::vector<uint8_t> tag(chunk.size);
                if (file.read(tag.data(), tag.size()) == int64_t(tag.size()))
                    readId3Texts(tag, id3);
            }
            file.ascend(chunk);
        }
        for (const TextField& field : kTextFields) {
            if ((texts.*field.member).empty())
                texts.*field.member = std::move(id3.*field.member);
        }
    }

} // namespace wavchunks

WavReadStatus readWavFile(const std::string& path, WavFileContents& contents, const WavReadOptions& options)
{
    using namespace wavchunks;
    RiffFile file;
    RiffChunk riff, fmt, data;
    WaveHeader header;
    WavReadStatus status = openRiff(file, path, riff);
    if (status == WavReadStatus::Ok)
        status = findFormat(file, riff, fmt);
    if (status == WavReadStatus::Ok)
        status = readPcmFormat(file, fmt, header);
    if (status == WavReadStatus::Ok)
        status = findData(file, riff, data);
    if (status != WavReadStatus::Ok)
        return status;

    SampleBuffer samples;
    bool cutShort = false;
    if (options.readSamples) {
        status = readData(file, data, header.nBlockAlign, samples, cutShort);
        if (status != WavReadStatus::Ok)
            return status;
        header.setDataSize(uint32_t(samples.size()));
    } else {
        header.setDataSize(uint32_t(keptDataLength(file, data, header.nBlockAlign, cutShort)));
        file.ascend(data);
    }

    FileTextInfo texts;
    if (options.readTexts)
        readInfoTexts(file, riff, texts);

    contents.header = header;
    contents.samples = std::move(samples);
    contents.texts = std::move(texts);
    contents.dataCutShort = cutShort;
    return WavReadStatus::Ok;
}

} // namespace kx
