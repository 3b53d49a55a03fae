#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace kx::test {

/// A CUE/BIN image made by a test: tracks of known 16-bit stereo samples (a data track holds
/// bytes no audio player may send). Sample n of the disc is left = n * 7 + 1000, right = -n * 3,
/// so every frame differs from its neighbours and a gap, a repeat or a swap shows.
class CdImage {
public:
    static constexpr int kSectorBytes = 2352;

    struct Track {
        int sectors;
        bool audio = true;
    };

    CdImage(const std::string& directory, const std::vector<Track>& tracks)
        : m_cue(directory + "/disc.cue")
        , m_bin(directory + "/disc.bin")
    {
        std::ofstream cue(m_cue);
        cue << "FILE \"disc.bin\" BINARY\n";
        int start = 0;
        for (std::size_t t = 0; t < tracks.size(); ++t) {
            const int number = int(t + 1);
            cue << "  TRACK " << (number < 10 ? "0" : "") << number << (tracks[t].audio ? " AUDIO\n" : " MODE1/2352\n");
            cue << "    INDEX 01 " << msf(start) << "\n";
            for (int s = 0; s < tracks[t].sectors; ++s)
                for (int i = 0; i < kSectorBytes; i += 4) {
                    const uint64_t frame = uint64_t(start + s) * 588 + uint64_t(i) / 4;
                    const auto left = uint16_t(tracks[t].audio ? frame * 7 + 1000 : 0x5A5A);
                    const auto right = uint16_t(tracks[t].audio ? uint64_t(-int64_t(frame) * 3) : 0xA5A5);
                    m_samples.insert(
                        m_samples.end(), { uint8_t(left), uint8_t(left >> 8), uint8_t(right), uint8_t(right >> 8) });
                }
            start += tracks[t].sectors;
        }
        std::ofstream(m_bin, std::ios::binary)
            .write(reinterpret_cast<const char*>(m_samples.data()), std::streamsize(m_samples.size()));
    }

    const std::string& cue() const { return m_cue; }
    const std::string& bin() const { return m_bin; }
    /// The image's bytes of sectors [first, end).
    std::vector<uint8_t> sectors(int first, int end) const
    {
        return { m_samples.begin() + std::ptrdiff_t(first) * kSectorBytes,
            m_samples.begin() + std::ptrdiff_t(end) * kSectorBytes };
    }

private:
    static std::string msf(int sector)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", sector / 4500, sector / 75 % 60, sector % 75);
        return text;
    }

    std::string m_cue;
    std::string m_bin;
    std::vector<uint8_t> m_samples;
};

} // namespace kx::test
