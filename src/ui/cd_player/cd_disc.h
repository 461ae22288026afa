#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace quillmark {

// An audio disc read digitally through libcdio: the disc in the computer's drive, read with
// paranoia's error correction, or a disc image (a CUE sheet and its BIN file, say). Sectors
// are 1/75 of a second of 44.1 kHz 16-bit stereo sound.
class CdDisc {
public:
    static constexpr int SectorBytes = 2352;
    static constexpr int SectorsPerSecond = 75;

    // The disc in the default drive; nothing, with the reason, when there is no drive or no
    // disc with tracks in it.
    static std::unique_ptr<CdDisc> OpenDrive(std::string& reason);
    static std::unique_ptr<CdDisc> OpenImage(const std::string& path, std::string& reason);
    ~CdDisc();
    CdDisc(const CdDisc&) = delete;
    CdDisc& operator=(const CdDisc&) = delete;

    bool FromDrive() const { return fromDrive_; }
    int TrackCount() const { return tracks_; }
    // Sectors counted from the start of track 1.
    long TrackStart(int track) const;
    long TrackSectors(int track) const;
    long EndSector() const { return TrackStart(tracks_) + TrackSectors(tracks_); }
    int TrackAt(long sector) const;
    // count sectors from sector into the buffer; false when they cannot be read.
    bool Read(long sector, int count, std::uint8_t* into);
    // Opens the default drive's tray; false when there is none or it will not. A disc
    // opened from the drive is to be closed first.
    static bool EjectDrive();

private:
    CdDisc() = default;
    bool ReadTracks(std::string& reason);

    void* cdio_ = nullptr;      // CdIo_t
    void* drive_ = nullptr;     // cdrom_drive_t, for paranoia
    void* paranoia_ = nullptr;  // cdrom_paranoia_t
    long firstSector_ = 0;      // of track 1, as the disc numbers its sectors
    int firstTrack_ = 1;
    int tracks_ = 0;
    long paranoiaAt_ = -1;  // where paranoia reads next
    bool fromDrive_ = false;
};

}  // namespace quillmark
