#include "FileTexts.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace kx {

namespace {

    /// A text fits a field when it is shorter than the field, as a LIST text must be.
    void fill(std::string& field, std::string value)
    {
        while (!value.empty() && value.back() == '\0')
            value.pop_back();
        if (field.empty() && !value.empty() && value.size() < FileTextInfo::kFieldSize)
            field = std::move(value);
    }

    void appendUtf8(std::string& out, uint32_t c)
    {
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | c >> 6);
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | c >> 12);
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | c >> 18);
            out += char(0x80 | (c >> 12 & 0x3F));
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }

    /// UTF-16 up to its first zero unit; `bigEndian` unless a byte-order mark says otherwise.
    std::string fromUtf16(std::span<const uint8_t> bytes, bool bigEndian)
    {
        std::size_t i = 0;
        if (bytes.size() >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
            bigEndian = bytes[0] == 0xFE;
            i = 2;
        }
        const auto unit = [&](std::size_t at) {
            return bigEndian ? uint32_t(bytes[at] << 8 | bytes[at + 1]) : uint32_t(bytes[at] | bytes[at + 1] << 8);
        };
        std::string out;
        for (; i + 1 < bytes.size(); i += 2) {
            uint32_t c = unit(i);
            if (c == 0)
                break;
            if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
                i += 2;
            } else if (c >= 0xD800 && c < 0xE000) {
                c = 0xFFFD;
            }
            appendUtf8(out, c);
        }
        return out;
    }

    /// A text in one of ID3's four encodings, up to its terminating zero, as UTF-8.
    std::string id3Text(uint8_t encoding, std::span<const uint8_t> bytes)
    {
        if (encoding == 1 || encoding == 2)
            return fromUtf16(bytes, encoding == 2);
        const auto end = std::find(bytes.begin(), bytes.end(), uint8_t(0));
        if (encoding == 3)
            return std::string(bytes.begin(), end);
        std::string out;
        for (auto it = bytes.begin(); it != end; ++it)
            appendUtf8(out, *it);
        return out;
    }

    /// Where a zero-terminated text of `encoding` that starts at `from` ends, past its terminator.
    std::size_t pastTerminator(uint8_t encoding, std::span<const uint8_t> bytes, std::size_t from)
    {
        const std::size_t step = encoding == 1 || encoding == 2 ? 2 : 1;
        for (std::size_t i = from; i + step <= bytes.size(); i += step) {
            if (bytes[i] == 0 && (step == 1 || bytes[i + 1] == 0))
                return i + step;
        }
        return bytes.size();
    }

    uint32_t syncSafe(const uint8_t* p)
    {
        return uint32_t(p[0] & 0x7F) << 21 | uint32_t(p[1] & 0x7F) << 14 | uint32_t(p[2] & 0x7F) << 7 | (p[3] & 0x7F);
    }

    uint32_t bigEndian(const uint8_t* p, int bytes)
    {
        uint32_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value = value << 8 | p[i];
        return value;
    }

    /// The v2.3 frame id a v2.2 frame id stands for, for the frames a document keeps.
    std::string frameIdOf(const std::string& id)
    {
        static constexpr const char* kVersion22[][2] = { { "COM", "COMM" }, { "TCR", "TCOP" }, { "TT2", "TIT2" },
            { "TP1", "TPE1" }, { "TMT", "TMED" }, { "TSS", "TSSE" }, { "TAL", "TALB" }, { "TYE", "TDRC" },
            { "TCO", "TCON" }, { "TRK", "TRCK" }, { "TEN", "TENC" } };
        if (id.size() == 4)
            return id == "TYER" ? "TDRC" : id;
        for (const auto& pair : kVersion22) {
            if (id == pair[0])
                return pair[1];
        }
        return {};
    }

} // namespace

std::string FileTextInfo::*infoField(const char* id)
{
    if (std::memcmp(id, "IPRT", 4) == 0)
        return &FileTextInfo::track;
    for (const TextField& field : kTextFields) {
        if (std::memcmp(id, field.infoId, 4) == 0)
            return field.member;
    }
    return nullptr;
}

bool hasTexts(const FileTextInfo& texts)
{
    return std::any_of(std::begin(kTextFields), std::end(kTextFields),
        [&](const TextField& field) { return !(texts.*field.member).empty(); });
}

bool takeText(FileTextInfo& texts, const std::string& key, const std::string& value)
{
    std::string name = key;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (name == "encoder")
        name = "software";
    else if (name == "year")
        name = "date";
    for (const TextField& field : kTextFields) {
        if (name == field.key) {
            fill(texts.*field.member, value);
            return true;
        }
    }
    return false;
}

std::vector<uint8_t> infoListChunk(const FileTextInfo& texts)
{
    if (!hasTexts(texts))
        return {};
    const auto put32 = [](std::vector<uint8_t>& out, std::size_t value) {
        for (int i = 0; i < 4; ++i)
            out.push_back(uint8_t(value >> (8 * i)));
    };
    std::vector<uint8_t> body { 'I', 'N', 'F', 'O' };
    for (const TextField& field : kTextFields) {
        const std::string& text = texts.*field.member;
        if (text.empty())
            continue;
        body.insert(body.end(), field.infoId, field.infoId + 4);
        put32(body, text.size() + 1);
        body.insert(body.end(), text.begin(), text.end());
        body.push_back(0);
        if (body.size() % 2)
            body.push_back(0);
    }
    std::vector<uint8_t> chunk { 'L', 'I', 'S', 'T' };
    put32(chunk, body.size());
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

void readId3Texts(std::span<const uint8_t> tag, FileTextInfo& texts)
{
    if (tag.size() < 10 || std::memcmp(tag.data(), "ID3", 3) != 0)
        return;
    const uint8_t version = tag[3];
    const uint8_t flags = tag[5];
    // An unsynchronised tag would have to be decoded first; it is rare enough to be left alone.
    if (version < 2 || version > 4 || (flags & 0x80))
        return;
    const std::size_t end = std::min<std::size_t>(tag.size(), 10 + std::size_t(syncSafe(&tag[6])));
    std::size_t at = 10;
    if (version >= 3 && (flags & 0x40) && at + 4 <= end) {
        const uint32_t extended = version == 4 ? syncSafe(&tag[at]) : bigEndian(&tag[at], 4) + 4;
        at += std::max<uint32_t>(extended, 4);
    }
    const std::size_t idBytes = version == 2 ? 3 : 4;
    const std::size_t headerBytes = version == 2 ? 6 : 10;
    // Every frame moves `at` forward by at least its header, so the walk ends.
    while (at + headerBytes <= end && tag[at] != 0) {
        const std::string id(reinterpret_cast<const char*>(&tag[at]), idBytes);
        const uint32_t size = version == 2 ? bigEndian(&tag[at + 3], 3)
            : version == 4                 ? syncSafe(&tag[at + 4])
                                           : bigEndian(&tag[at + 4], 4);
        const std::size_t body = at + headerBytes;
        if (size > end - body)
            break;
        const std::span<const uint8_t> frame = tag.subspan(body, size);
        at = body + size;
        const std::string frameId = frameIdOf(id);
        if (frameId.empty() || frame.empty())
            continue;
        const uint8_t encoding = frame[0];
        std::string text;
        if (frameId == "COMM") {
            // Encoding, language, a short description, then the comment.
            if (frame.size() < 4)
                continue;
            const std::size_t start = pastTerminator(encoding, frame, 4);
            text = id3Text(encoding, frame.subspan(start));
        } else {
            text = id3Text(encoding, frame.subspan(1));
        }
        for (const TextField& field : kTextFields) {
            if (frameId == field.id3Frame)
                fill(texts.*field.member, std::move(text));
        }
    }
}

} // namespace kx
