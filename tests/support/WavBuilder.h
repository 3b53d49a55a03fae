#pragma once

// Builds RIFF files chunk by chunk in memory, so each test writes exactly the file it needs.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kx::test {

using Bytes = std::vector<uint8_t>;

inline void put16(Bytes& b, uint16_t v)
{
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

inline void put32(Bytes& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}

inline void putId(Bytes& b, const char* id)
{
    b.insert(b.end(), id, id + 4);
}

/// A chunk with the given id and body; `declaredSize` overrides the size field.
inline Bytes chunk(const char* id, const Bytes& body, int64_t declaredSize = -1)
{
    Bytes b;
    putId(b, id);
    put32(b, declaredSize < 0 ? uint32_t(body.size()) : uint32_t(declaredSize));
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2)
        b.push_back(0);
    return b;
}

/// The first 16 bytes of a fmt chunk, plus `extra` zero bytes.
inline Bytes fmtBody(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag = 1, std::size_t extra = 0)
{
    Bytes b;
    const uint16_t align = uint16_t(channels * bits / 8);
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * align);
    put16(b, align);
    put16(b, bits);
    b.resize(b.size() + extra, 0);
    return b;
}

/// "RIFF" <size> <form> followed by the chunks.
inline Bytes riff(const std::vector<Bytes>& chunks, const char* form = "WAVE", int64_t declaredSize = -1)
{
    Bytes body;
    putId(body, form);
    for (const Bytes& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    Bytes b;
    putId(b, "RIFF");
    put32(b, declaredSize < 0 ? uint32_t(body.size()) : uint32_t(declaredSize));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

inline Bytes text(const std::string& s)
{
    Bytes b(s.begin(), s.end());
    b.push_back(0);
    return b;
}

/// A LIST chunk of form INFO holding the given sub-chunks.
inline Bytes infoList(const std::vector<Bytes>& subChunks)
{
    Bytes body;
    putId(body, "INFO");
    for (const Bytes& c : subChunks)
        body.insert(body.end(), c.begin(), c.end());
    return chunk("LIST", body);
}

inline Bytes ramp(std::size_t n)
{
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = uint8_t(i * 7 + 3);
    return b;
}

inline void writeFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline Bytes readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

} // namespace kx::test
