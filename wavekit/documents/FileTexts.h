#pragma once

#include "WaveDocument.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kx {

/// One text a document keeps, as the different files name it.
struct TextField {
    std::string FileTextInfo::*member;
    const char* infoId; ///< the sub-chunk of a RIFF LIST/INFO chunk
    const char* key; ///< the name wavetool lists it under, and FFmpeg's metadata key
    const char* id3Frame; ///< the ID3v2 frame (v2.3 and v2.4); empty when ID3 has none
};

/// Every text, in the order listings give them.
inline constexpr TextField kTextFields[] = {
    { &FileTextInfo::comment, "ICMT", "comment", "COMM" },
    { &FileTextInfo::copyright, "ICOP", "copyright", "TCOP" },
    { &FileTextInfo::subject, "ISBJ", "subject", "" },
    { &FileTextInfo::title, "INAM", "title", "TIT2" },
    { &FileTextInfo::artist, "IART", "artist", "TPE1" },
    { &FileTextInfo::medium, "IMED", "medium", "TMED" },
    { &FileTextInfo::software, "ISFT", "software", "TSSE" },
    { &FileTextInfo::keywords, "IKEY", "keywords", "" },
    { &FileTextInfo::album, "IPRD", "album", "TALB" },
    { &FileTextInfo::date, "ICRD", "date", "TDRC" },
    { &FileTextInfo::genre, "IGNR", "genre", "TCON" },
    { &FileTextInfo::track, "ITRK", "track", "TRCK" },
    { &FileTextInfo::encodedBy, "ITCH", "encoded_by", "TENC" },
};

/// The field a LIST/INFO sub-chunk fills (also the names other tools use, such as "IPRT" for the
/// track); null for sub-chunks no field takes.
std::string FileTextInfo::*infoField(const char* id);

/// Whether any text is set.
bool hasTexts(const FileTextInfo& texts);

/// Sets the field `key` names (a FFmpeg metadata key, any case; "encoder" is the software, "year"
/// the date) to `value` when the field is still empty and the value fits it; false for keys no
/// field takes.
bool takeText(FileTextInfo& texts, const std::string& key, const std::string& value);

/// The texts that are set as a RIFF LIST/INFO chunk (each zero-terminated, word-aligned); empty when
/// none is set.
std::vector<uint8_t> infoListChunk(const FileTextInfo& texts);

/// Reads the text frames of an ID3v2 tag (versions 2.2 to 2.4, as WAV files carry it in an "id3 "
/// chunk) into the fields that are still empty.
void readId3Texts(std::span<const uint8_t> tag, FileTextInfo& texts);

} // namespace kx
