#pragma once

#include "documents/PcmFormat.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kx {

/// One track of a disc, in sectors of 1/75 s counted from the start of the first track.
struct CdTrack {
    int32_t start = 0;
    int32_t sectors = 0;
    bool audio = true;
};

/// An audio CD opened through libcdio: a drive, or a CUE/BIN, TOC/BIN or NRG image alike. The
/// table of contents is read once when it opens and never changes; audio sectors are read with
/// paranoia, which retries a sector it cannot read before giving up on it.
class CdDisc {
public:
    static constexpr int kSectorBytes = 2352;
    static constexpr int kSectorsPerSecond = 75;
    static constexpr PcmFormat kFormat { 16, 2, 44100 };
    /// The setting that names the drive or image to open.
    static constexpr const char* kDeviceSetting = "Kestrix\\Settings\\CD\\Device";

    ~CdDisc();
    CdDisc(const CdDisc&) = delete;
    CdDisc& operator=(const CdDisc&) = delete;

    /// Opens `source` (a device such as /dev/sr0 or an image file; empty: the first drive
    /// found). Null with the reason in `error` when there is no disc to play.
    static std::shared_ptr<CdDisc> open(const std::string& source, std::string& error);

    int trackCount() const { return int(m_tracks.size()); }
    /// Track `number`, 1 to trackCount().
    const CdTrack& track(int number) const { return m_tracks.at(std::size_t(number - 1)); }
    /// The sector after the last track.
    int32_t endSector() const { return m_end; }
    /// The track holding `sector` (the last one past the end, 1 before the start).
    int trackAt(int32_t sector) const;
    /// The first audio sector at or after `sector` and the end of the run of audio tracks it
    /// begins; nullopt when no audio follows.
    std::optional<std::pair<int32_t, int32_t>> audioRunFrom(int32_t sector) const;

    /// Reads `out.size() / kSectorBytes` whole sectors from `sector` on. Any thread may read; one
    /// read runs at a time. Returns the first sector that could not be read even after the
    /// retries, or nullopt when all of them were read.
    std::optional<int32_t> read(int32_t sector, std::span<uint8_t> out);

    /// How many times paranoia may retry one sector.
    static constexpr int kRetries = 20;

private:
    struct Handles;
    explicit CdDisc(std::unique_ptr<Handles> handles);

    std::unique_ptr<Handles> m_handles;
    std::vector<CdTrack> m_tracks;
    int32_t m_end = 0;
    std::mutex m_readMutex;
    int32_t m_nextSector = 0; ///< where paranoia stands, -1 after a failed read
};

} // namespace kx
