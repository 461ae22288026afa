#include "ui/cd_player/cd_disc.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

#include <cstring>

namespace quillmark {

namespace {

CdIo_t* Cdio(void* handle)
{
    return static_cast<CdIo_t*>(handle);
}

void Quietly(cdio_log_level_t, const char*) {}

void SilenceLibcdio()
{
    static const bool silenced = [] {
        cdio_log_set_handler(Quietly);
        return true;
    }();
    (void)silenced;
}

}  // namespace

std::unique_ptr<CdDisc> CdDisc::OpenDrive(std::string& reason)
{
    SilenceLibcdio();
    char* device = cdio_get_default_device(nullptr);
    if (device == nullptr) {
        reason = "there is no CD drive";
        return nullptr;
    }
    std::unique_ptr<CdDisc> disc(new CdDisc);
    disc->cdio_ = cdio_open(device, DRIVER_DEVICE);
    cdio_free(device);
    if (disc->cdio_ == nullptr || !disc->ReadTracks(reason)) {
        if (reason.empty()) {
            reason = "the drive has no disc";
        }
        return nullptr;
    }
    disc->fromDrive_ = true;
    // Paranoia corrects what a scratched disc gives; without it the sectors are read as
    // they come.
    cdrom_drive_t* drive =
        cdio_cddap_identify_cdio(Cdio(disc->cdio_), CDDA_MESSAGE_FORGETIT, nullptr);
    if (drive != nullptr && cdio_cddap_open(drive) == 0) {
        disc->drive_ = drive;
        cdrom_paranoia_t* paranoia = cdio_paranoia_init(drive);
        cdio_paranoia_modeset(paranoia, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
        disc->paranoia_ = paranoia;
    } else if (drive != nullptr) {
        cdio_cddap_close_no_free_cdio(drive);
    }
    return disc;
}

std::unique_ptr<CdDisc> CdDisc::OpenImage(const std::string& path, std::string& reason)
{
    SilenceLibcdio();
    std::unique_ptr<CdDisc> disc(new CdDisc);
    disc->cdio_ = cdio_open(path.c_str(), DRIVER_UNKNOWN);
    if (disc->cdio_ == nullptr) {
        reason = "it is not a disc image this player can read";
        return nullptr;
    }
    if (!disc->ReadTracks(reason)) {
        return nullptr;
    }
    return disc;
}

CdDisc::~CdDisc()
{
    if (paranoia_ != nullptr) {
        cdio_paranoia_free(static_cast<cdrom_paranoia_t*>(paranoia_));
    }
    if (drive_ != nullptr) {
        cdio_cddap_close_no_free_cdio(static_cast<cdrom_drive_t*>(drive_));
    }
    if (cdio_ != nullptr) {
        cdio_destroy(Cdio(cdio_));
    }
}

bool CdDisc::ReadTracks(std::string& reason)
{
    CdIo_t* cdio = Cdio(cdio_);
    const track_t first = cdio_get_first_track_num(cdio);
    const track_t count = cdio_get_num_tracks(cdio);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0 ||
        first + count - 1 > 99) {
        reason = "it holds no tracks";
        return false;
    }
    firstTrack_ = first;
    tracks_ = count;
    firstSector_ = cdio_get_track_lsn(cdio, first);
    for (int track = 1; track <= tracks_; ++track) {
        if (TrackSectors(track) <= 0) {
            reason = "its table of tracks is damaged";
            return false;
        }
    }
    return true;
}

long CdDisc::TrackStart(int track) const
{
    return cdio_get_track_lsn(Cdio(cdio_), static_cast<track_t>(firstTrack_ + track - 1)) -
           firstSector_;
}

long CdDisc::TrackSectors(int track) const
{
    const auto number = static_cast<track_t>(firstTrack_ + track - 1);
    const lsn_t start = cdio_get_track_lsn(Cdio(cdio_), number);
    // The end of the last track is the lead-out.
    const lsn_t end = cdio_get_track_lsn(
        Cdio(cdio_), track == tracks_ ? static_cast<track_t>(CDIO_CDROM_LEADOUT_TRACK)
                                      : static_cast<track_t>(number + 1));
    if (start == CDIO_INVALID_LSN || end == CDIO_INVALID_LSN) {
        return 0;
    }
    return end - start;
}

int CdDisc::TrackAt(long sector) const
{
    int track = 1;
    while (track < tracks_ && sector >= TrackStart(track + 1)) {
        ++track;
    }
    return track;
}

bool CdDisc::Read(long sector, int count, std::uint8_t* into)
{
    const lsn_t at = static_cast<lsn_t>(firstSector_ + sector);
    if (paranoia_ == nullptr) {
        return cdio_read_audio_sectors(Cdio(cdio_), into, at, static_cast<uint32_t>(count)) ==
               DRIVER_OP_SUCCESS;
    }
    auto* paranoia = static_cast<cdrom_paranoia_t*>(paranoia_);
    if (paranoiaAt_ != sector) {
        cdio_paranoia_seek(paranoia, at, SEEK_SET);
    }
    for (int i = 0; i < count; ++i) {
        const int16_t* samples = cdio_paranoia_read(paranoia, nullptr);
        if (samples == nullptr) {
            paranoiaAt_ = -1;
            return false;
        }
        std::memcpy(into + static_cast<std::size_t>(i) * SectorBytes, samples, SectorBytes);
    }
    paranoiaAt_ = sector + count;
    return true;
}

bool CdDisc::EjectDrive()
{
    return cdio_eject_media_drive(nullptr) == DRIVER_OP_SUCCESS;
}

}  // namespace quillmark
