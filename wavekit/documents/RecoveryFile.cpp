#include "RecoveryFile.h"

#include "PcmFormat.h"
#include "PendingFile.h"
#include "RegularFile.h"

#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kx {

namespace {

    // A first-version copy holds the first nine texts; the second adds album, date, genre, track
    // and encoded-by. Both are read, so a copy left by an older editor is still restored.
    constexpr char kMagic[8] = { 'K', 'X', 'R', 'E', 'C', 'O', 'V', '2' };
    constexpr char kFirstMagic[8] = { 'K', 'X', 'R', 'E', 'C', 'O', 'V', '1' };
    constexpr std::size_t kFirstVersionTexts = 9;
    constexpr char kEnd[8] = { 'K', 'X', 'R', 'E', 'N', 'D', '.', '.' };

    /// The fields before the samples, little-endian.
    class Fields {
    public:
        void put32(uint32_t v)
        {
            for (int i = 0; i < 4; ++i)
                m_bytes.push_back(uint8_t(v >> (8 * i)));
        }
        void put16(uint16_t v) { put32(v); }
        void putText(const std::string& text)
        {
            put32(uint32_t(text.size()));
            m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        }
        const std::vector<uint8_t>& bytes() const { return m_bytes; }

    private:
        std::vector<uint8_t> m_bytes;
    };

    class Reader {
    public:
        explicit Reader(int fd)
            : m_fd(fd)
        {
        }
        bool read(void* into, std::size_t count)
        {
            auto* p = static_cast<uint8_t*>(into);
            while (count > 0) {
                const ssize_t got = ::read(m_fd, p, count);
                if (got <= 0)
                    return false;
                p += got;
                count -= std::size_t(got);
            }
            return true;
        }
        bool get32(uint32_t& v)
        {
            uint8_t b[4];
            if (!read(b, 4))
                return false;
            v = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
            return true;
        }
        bool get16(uint16_t& v)
        {
            uint32_t w = 0;
            if (!get32(w) || w > 0xFFFF)
                return false;
            v = uint16_t(w);
            return true;
        }
        bool getText(std::string& text)
        {
            uint32_t size = 0;
            if (!get32(size) || size > 65536)
                return false;
            text.resize(size);
            return read(text.data(), size);
        }

    private:
        int m_fd;
    };

    std::vector<std::string*> textsOf(WaveDocument& d)
    {
        FileTextInfo& t = d.texts;
        return { &d.info.fileName, &t.comment, &t.copyright, &t.subject, &t.title, &t.artist, &t.medium, &t.software,
            &t.keywords, &t.album, &t.date, &t.genre, &t.track, &t.encodedBy };
    }

    Fields describe(const WaveDocument& document)
    {
        Fields f;
        const WaveHeader& h = document.header;
        for (const uint32_t v : { uint32_t(h.wFormatTag), uint32_t(h.nChannels), h.nSamplesPerSec, h.nAvgBytesPerSec,
                 uint32_t(h.nBlockAlign), uint32_t(h.wBitsPerSample), h.dataSize })
            f.put32(v);
        const MarkRecord& m = document.mark;
        for (const uint32_t v : { m.markStart, m.markLength, m.viewStart, m.viewEnd, m.zoom })
            f.put32(v);
        f.put32(document.texts.hasInfoList);
        f.put16(document.info.sourceKind);
        f.put32(document.info.hasFile ? 1 : 0);
        for (std::string* text : textsOf(const_cast<WaveDocument&>(document)))
            f.putText(*text);
        return f;
    }

} // namespace

RecoveryWriteStatus writeRecoveryFile(
    const SharedDocument& shared, const std::string& path, const RecoveryWriteOptions& options)
{
    Fields fields;
    uint32_t dataSize = 0;
    {
        std::shared_lock lock(shared.lock);
        if (shared.busy())
            return RecoveryWriteStatus::Interrupted;
        fields = describe(shared.document);
        dataSize = std::min<uint32_t>(shared.document.header.dataSize, uint32_t(shared.document.samples.size()));
    }
    PendingFile file(path, 0600);
    if (file.fd() < 0)
        return RecoveryWriteStatus::Failed;
    uint64_t written = 0;
    const auto append = [&](const void* bytes, std::size_t count) {
        if (!writeAll(file.fd(), bytes, count, written))
            return false;
        written += count;
        return true;
    };
    if (!append(kMagic, sizeof kMagic) || !append(fields.bytes().data(), fields.bytes().size()))
        return RecoveryWriteStatus::Failed;
    std::vector<uint8_t> block(std::min<std::size_t>(std::max<std::size_t>(options.blockBytes, 1), dataSize));
    for (uint32_t done = 0; done < dataSize;) {
        if (options.giveUp && options.giveUp())
            return RecoveryWriteStatus::Interrupted;
        const std::size_t count = std::min<std::size_t>(block.size(), dataSize - done);
        {
            std::shared_lock lock(shared.lock);
            if (shared.busy() || shared.document.header.dataSize != dataSize)
                return RecoveryWriteStatus::Interrupted;
            std::memcpy(block.data(), shared.document.samples.data() + done, count);
        }
        if (!append(block.data(), count))
            return RecoveryWriteStatus::Failed;
        done += uint32_t(count);
    }
    if (!append(kEnd, sizeof kEnd) || ::fdatasync(file.fd()) != 0 || !file.commit())
        return RecoveryWriteStatus::Failed;
    syncDirectoryOf(path);
    return RecoveryWriteStatus::Written;
}

namespace {

    /// An open copy: a regular file, never followed through a link, and its length.
    struct OpenedCopy {
        int fd = -1;
        uint64_t size = 0;
        explicit OpenedCopy(const std::string& path)
            : fd(openRegularFile(path, O_NOFOLLOW).fd)
        {
            struct stat status { };
            if (fd >= 0 && ::fstat(fd, &status) == 0)
                size = uint64_t(status.st_size);
        }
        ~OpenedCopy()
        {
            if (fd >= 0)
                ::close(fd);
        }
        uint64_t position() const { return fd >= 0 ? uint64_t(::lseek(fd, 0, SEEK_CUR)) : 0; }
    };

    bool isSourceKind(uint16_t kind)
    {
        return kind == 0 || kind == SourcePcmWave || kind == SourceAviStream || kind == SourceRawFile
            || kind == SourceCompressedWave || kind == SourceMediaFile;
    }

    /// A copy is held to the rules of a WAV file a document can hold, and its mark to its data:
    /// anything else is damage, and a damaged copy is never loaded.
    bool isSound(const WaveDocument& d, uint32_t dataSize)
    {
        const WaveHeader& h = d.header;
        const PcmFormat format = PcmFormat::of(h);
        const MarkRecord& m = d.mark;
        return h.wFormatTag == 1 && (h.nChannels == 1 || h.nChannels == 2)
            && (h.wBitsPerSample == 8 || h.wBitsPerSample == 16) && format.hasCountableRate()
            && h.nBlockAlign == format.blockAlign() && h.nAvgBytesPerSec == format.bytesPerSecond()
            && dataSize % h.nBlockAlign == 0 && uint64_t(m.markStart) + m.markLength <= dataSize && m.zoom <= 30000
            && isSourceKind(d.info.sourceKind);
    }

    /// Reads everything before the samples into `d`; false when the file is no sound copy of ours.
    bool readHead(Reader& in, WaveDocument& d, uint32_t& dataSize)
    {
        char magic[8];
        WaveHeader& h = d.header;
        uint32_t channels = 0, align = 0, bits = 0, tag = 0, hasFile = 0;
        if (!in.read(magic, 8) || (std::memcmp(magic, kMagic, 8) != 0 && std::memcmp(magic, kFirstMagic, 8) != 0)
            || !in.get32(tag) || !in.get32(channels) || !in.get32(h.nSamplesPerSec) || !in.get32(h.nAvgBytesPerSec)
            || !in.get32(align) || !in.get32(bits) || !in.get32(dataSize) || tag > 0xFFFF || channels > 0xFFFF
            || align > 0xFFFF || bits > 0xFFFF)
            return false;
        h.wFormatTag = uint16_t(tag);
        h.nChannels = uint16_t(channels);
        h.nBlockAlign = uint16_t(align);
        h.wBitsPerSample = uint16_t(bits);
        MarkRecord& m = d.mark;
        if (!in.get32(m.markStart) || !in.get32(m.markLength) || !in.get32(m.viewStart) || !in.get32(m.viewEnd)
            || !in.get32(m.zoom) || !in.get32(d.texts.hasInfoList) || !in.get16(d.info.sourceKind)
            || !in.get32(hasFile))
            return false;
        d.info.hasFile = hasFile != 0;
        std::vector<std::string*> texts = textsOf(d);
        if (std::memcmp(magic, kFirstMagic, 8) == 0)
            texts.resize(kFirstVersionTexts);
        for (std::string* text : texts) {
            if (!in.getText(*text))
                return false;
        }
        return isSound(d, dataSize);
    }

    /// The head of a whole copy: the samples and the end mark after it are all the rest of the file,
    /// so nothing is allocated for a size the file does not hold.
    bool readWholeHead(const OpenedCopy& file, WaveDocument& d, uint32_t& dataSize)
    {
        Reader in(file.fd);
        if (file.fd < 0 || !readHead(in, d, dataSize))
            return false;
        const uint64_t position = file.position();
        return position <= file.size && file.size - position == uint64_t(dataSize) + sizeof kEnd;
    }

} // namespace

std::optional<std::string> recoveredName(const std::string& path)
{
    const OpenedCopy file(path);
    WaveDocument d;
    uint32_t dataSize = 0;
    if (!readWholeHead(file, d, dataSize))
        return std::nullopt;
    return d.info.fileName;
}

std::optional<WaveDocument> readRecoveryFile(const std::string& path)
{
    const OpenedCopy file(path);
    WaveDocument d;
    uint32_t dataSize = 0;
    if (!readWholeHead(file, d, dataSize))
        return std::nullopt;
    Reader in(file.fd);
    d.samples = SampleBuffer::allocate(dataSize);
    if (d.samples.isNull() && dataSize > 0)
        return std::nullopt;
    char end[8];
    if (!in.read(d.samples.data(), dataSize) || !in.read(end, 8) || std::memcmp(end, kEnd, 8) != 0)
        return std::nullopt;
    d.header.setDataSize(dataSize);
    d.info.saved = 0;
    return d;
}

} // namespace kx
