#include "CdDisc.h"

#include "CdSheet.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

#include <cstring>

namespace kx {

namespace {

    /// Paranoia reports what happened to a read through a callback without a context; reads run
    /// one at a time on the calling thread, so a thread-local flag carries it back.
    thread_local bool t_skipped = false;

    void noteRead(long, paranoia_cb_mode_t mode)
    {
        if (mode == PARANOIA_CB_SKIP)
            t_skipped = true;
    }

    void quietLibcdio()
    {
        // The library's own warnings would go to stderr; failures reach the user as our texts.
        cdio_loglevel_default = CDIO_LOG_ERROR;
        cdio_log_set_handler([](cdio_log_level_t, const char*) {});
    }

} // namespace

struct CdDisc::Handles {
    CdIo_t* cdio = nullptr;
    cdrom_drive_t* drive = nullptr;
    cdrom_paranoia_t* paranoia = nullptr;
    /// An image file has no jitter to correct, and its reader reports a sector past the end of
    /// the file as a short read that paranoia would take as good; it is read directly.
    bool image = false;

    ~Handles()
    {
        if (paranoia)
            cdio_paranoia_free(paranoia);
        if (drive)
            cdio_cddap_close_no_free_cdio(drive);
        if (cdio)
            cdio_destroy(cdio);
    }
};

CdDisc::CdDisc(std::unique_ptr<Handles> handles)
    : m_handles(std::move(handles))
{
}

CdDisc::~CdDisc() = default;

std::shared_ptr<CdDisc> CdDisc::open(const std::string& source, std::string& error)
{
    quietLibcdio();
    auto handles = std::make_unique<Handles>();
    if (source.empty()) {
        char** drives = cdio_get_devices(DRIVER_DEVICE);
        if (drives && drives[0])
            handles->cdio = cdio_open(drives[0], DRIVER_DEVICE);
        cdio_free_device_list(drives);
        if (!handles->cdio) {
            error = "No CD drive found.";
            return nullptr;
        }
    } else if (const std::string sheet = cdsheet::sheetOf(source); !sheet.empty()) {
        if (const std::string why = cdsheet::checkFile(sheet); !why.empty()) {
            error = "Cannot open the CD " + source + ": " + why + ".";
            return nullptr;
        }
    }
    if (!handles->cdio && !(handles->cdio = cdio_open(source.c_str(), DRIVER_UNKNOWN))) {
        error = "Cannot open the CD " + source + ".";
        return nullptr;
    }
    const track_t first = cdio_get_first_track_num(handles->cdio);
    const track_t count = cdio_get_num_tracks(handles->cdio);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) {
        error = "There is no disc in the CD drive.";
        return nullptr;
    }
    std::shared_ptr<CdDisc> disc(new CdDisc(std::move(handles)));
    Handles& h = *disc->m_handles;
    const driver_id_t driver = cdio_get_driver_id(h.cdio);
    h.image = driver == DRIVER_BINCUE || driver == DRIVER_NRG || driver == DRIVER_CDRDAO;
    const lsn_t origin = cdio_get_track_lsn(h.cdio, first);
    disc->m_end = cdio_get_track_lsn(h.cdio, CDIO_CDROM_LEADOUT_TRACK) - origin;
    // An int counter: a track_t one would wrap at 255 and never reach first + count.
    const int last = std::min(int(first) + int(count), int(CDIO_CD_MAX_TRACKS) + 1);
    for (int t = first; t < last; ++t) {
        const lsn_t start = cdio_get_track_lsn(h.cdio, track_t(t));
        const lsn_t next = t + 1 < last ? cdio_get_track_lsn(h.cdio, track_t(t + 1))
                                        : cdio_get_track_lsn(h.cdio, CDIO_CDROM_LEADOUT_TRACK);
        disc->m_tracks.push_back({ start - origin, std::max(0, next - start),
            cdio_get_track_format(h.cdio, track_t(t)) == TRACK_FORMAT_AUDIO });
    }
    if (h.image)
        return disc;
    char* message = nullptr;
    h.drive = cdio_cddap_identify_cdio(h.cdio, CDDA_MESSAGE_FORGETIT, &message);
    cdio_cddap_free_messages(message);
    if (!h.drive || cdio_cddap_open(h.drive) != 0) {
        error = "The CD cannot be read.";
        return nullptr;
    }
    h.paranoia = cdio_paranoia_init(h.drive);
    cdio_paranoia_modeset(h.paranoia, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
    return disc;
}

int CdDisc::trackAt(int32_t sector) const
{
    int number = 1;
    for (int t = 1; t <= trackCount(); ++t)
        if (track(t).start <= sector)
            number = t;
    return number;
}

std::optional<std::pair<int32_t, int32_t>> CdDisc::audioRunFrom(int32_t sector) const
{
    for (int t = trackAt(sector); t <= trackCount(); ++t) {
        if (!track(t).audio || track(t).start + track(t).sectors <= sector)
            continue;
        int last = t;
        while (last < trackCount() && track(last + 1).audio)
            ++last;
        return std::pair { std::max(sector, track(t).start), track(last).start + track(last).sectors };
    }
    return std::nullopt;
}

std::optional<int32_t> CdDisc::read(int32_t sector, std::span<uint8_t> out)
{
    std::lock_guard lock(m_readMutex);
    Handles& h = *m_handles;
    const lsn_t origin = cdio_get_track_lsn(h.cdio, cdio_get_first_track_num(h.cdio));
    const std::size_t count = out.size() / kSectorBytes;
    if (h.image) {
        for (std::size_t i = 0; i < count; ++i)
            if (cdio_read_audio_sectors(h.cdio, out.data() + i * kSectorBytes, origin + sector + lsn_t(i), 1)
                != DRIVER_OP_SUCCESS)
                return sector + int32_t(i);
        return std::nullopt;
    }
    // A seek empties paranoia's cache, so only a jump seeks.
    if (sector != m_nextSector)
        cdio_paranoia_seek(h.paranoia, origin + sector, SEEK_SET);
    m_nextSector = sector;
    for (std::size_t i = 0; i < count; ++i) {
        t_skipped = false;
        const int16_t* samples = cdio_paranoia_read_limited(h.paranoia, noteRead, kRetries);
        if (!samples || t_skipped) {
            m_nextSector = -1;
            return sector + int32_t(i);
        }
        std::memcpy(out.data() + i * kSectorBytes, samples, kSectorBytes);
        ++m_nextSector;
    }
    return std::nullopt;
}

} // namespace kx
