#include "FileKind.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace kx {

namespace {

    bool startsWith(std::span<const uint8_t> bytes, std::string_view signature)
    {
        return bytes.size() >= signature.size() && std::equal(signature.begin(), signature.end(), bytes.begin());
    }

    bool hasMp3Name(std::string_view path)
    {
        if (path.size() < 4)
            return false;
        std::string extension(path.substr(path.size() - 4));
        std::transform(extension.begin(), extension.end(), extension.begin(),
            [](unsigned char c) { return char(std::tolower(c)); });
        return extension == ".mp3";
    }

} // namespace

FileKind fileKindOf(std::span<const uint8_t> firstBytes, std::string_view path)
{
    if (startsWith(firstBytes, "fLaC") || startsWith(firstBytes, "OggS") || startsWith(firstBytes, "ID3"))
        return FileKind::Media;
    const bool frameSync = firstBytes.size() >= 2 && firstBytes[0] == 0xFF && (firstBytes[1] & 0xE0) == 0xE0;
    if (frameSync && hasMp3Name(path))
        return FileKind::Media;
    const auto byteAt = [&](std::size_t i) { return i < firstBytes.size() ? firstBytes[i] : uint8_t(0); };
    const bool riffFirst = byteAt(0) == 'R' || byteAt(0) == 'r';
    const bool riffThird = byteAt(2) == 'i' || byteAt(2) == 'I';
    return riffFirst || riffThird ? FileKind::Riff : FileKind::Raw;
}

} // namespace kx
