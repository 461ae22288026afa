#include "ui/cd_player/cd_disc.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

#include "core/file_io.h"
#include "core/file_messages.h"
#include "core/file_names.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace quillmark {

namespace {

enum class ImageKind { Unknown, CueSheet, TocFile, Nero };

ImageKind KindOf(const std::string& path)
{
    const auto dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.') {
        return ImageKind::Unknown;
    }
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == "cue"   ? ImageKind::CueSheet
           : extension == "toc" ? ImageKind::TocFile
           : extension == "nrg" ? ImageKind::Nero
                                : ImageKind::Unknown;
}

// A sheet lists a hundred tracks in a few kilobytes; anything much larger is no sheet.
constexpr std::size_t MaximumSheetBytes = 1 << 20;

// The image, or a file it reads from, opened as the database reader opens files: only a regular
// file, and without waiting, since a FIFO or a device might never answer and the library's own
// open would block the player for good. Gives the file's size (and a sheet's text), or why not;
// `named` says which file it is ("its BIN file, tones.bin,"), empty for the image itself.
std::optional<std::string> CheckImageFile(const std::string& path, const std::string& named,
                                          std::uint64_t& size, std::string* text = nullptr)
{
    const std::string subject = named.empty() ? "it" : named;
    try {
        FileSource source(path);
        size = source.Size();
        if (text != nullptr) {
            if (size > MaximumSheetBytes) {
                return "it is too large for a disc image's sheet";
            }
            text->resize(static_cast<std::size_t>(size));
            std::size_t filled = 0;
            while (filled < text->size()) {
                const std::size_t got =
                    source.ReadSome(text->data() + filled, text->size() - filled);
                if (got == 0) {
                    break;
                }
                filled += got;
            }
            text->resize(filled);
        }
    } catch (const NotRegularFileError&) {
        return subject + " is not a regular file";
    } catch (const ReadError& error) {
        return subject + " cannot be read: " + error.what();
    }
    return std::nullopt;
}

std::vector<std::string_view> Words(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string_view::npos) {
            break;
        }
        if (line[at] == '"') {
            const std::size_t close = line.find('"', at + 1);
            const std::size_t end = close == std::string_view::npos ? line.size() : close;
            words.push_back(line.substr(at, end - at));  // a quoted word keeps its opening quote
            at = end + 1;
        } else {
            const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
            words.push_back(line.substr(at, end - at));
            at = end;
        }
    }
    return words;
}

std::string Unquoted(std::string_view word)
{
    return std::string(word.starts_with('"') ? word.substr(1) : word);
}

bool SameWord(std::string_view word, std::string_view keyword)
{
    return std::equal(word.begin(), word.end(), keyword.begin(), keyword.end(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == b;
    });
}

// "mm:ss:ff" in frames, 75 to the second; nothing when it is no such time.
std::optional<std::uint64_t> Frames(std::string_view text)
{
    std::uint64_t parts[3] = {};
    for (int part = 0; part < 3; ++part) {
        const std::size_t end = part < 2 ? text.find(':') : text.size();
        if (end == std::string_view::npos || end == 0 || end > 9) {
            return std::nullopt;
        }
        const auto [stop, error] = std::from_chars(text.data(), text.data() + end, parts[part]);
        if (error != std::errc() || stop != text.data() + end) {
            return std::nullopt;
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return (parts[0] * 60 + parts[1]) * 75 + parts[2];
}

// The library reads a CUE sheet's sound from the BIN file named as the sheet is ("tones.cue",
// "tones.bin"), whatever its FILE line says; nothing when it takes no such sheet.
std::optional<std::string> BinFileOf(const std::string& cuePath)
{
    const std::string_view stem(cuePath.data(), cuePath.size() - 3);
    if (cuePath.ends_with("cue")) {
        return std::string(stem) + "bin";
    }
    if (cuePath.ends_with("CUE")) {
        return std::string(stem) + "BIN";
    }
    return std::nullopt;
}

// Every file the library will read must be a regular file, and so must every file a sheet
// names; every INDEX of a CUE sheet must lie within its BIN file: one far beyond it made a
// track of months.
std::optional<std::string> CheckImage(const std::string& path, ImageKind kind)
{
    std::uint64_t size = 0;
    std::string sheet;
    const bool hasSheet = kind == ImageKind::CueSheet || kind == ImageKind::TocFile;
    if (std::optional<std::string> reason =
            CheckImageFile(path, "", size, hasSheet ? &sheet : nullptr)) {
        return reason;
    }
    std::string binName;
    std::uint64_t binSectors = 0;
    if (kind == ImageKind::CueSheet) {
        const std::optional<std::string> bin = BinFileOf(path);
        if (!bin) {
            return "it is not a disc image this player can read";
        }
        binName = FileNameInMessage(FileNamePart(*bin));
        if (std::optional<std::string> reason =
                CheckImageFile(*bin, "its BIN file, " + binName + ",", size)) {
            return reason;
        }
        binSectors = size / CdDisc::SectorBytes;
    }
    // A CUE sheet names its files from its own folder; the library opens a TOC file's as they
    // are written, from the program's current folder.
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    std::string track = "?";
    std::size_t at = 0;
    while (at < sheet.size()) {
        const std::size_t end = std::min(sheet.find('\n', at), sheet.size());
        std::string_view line(sheet.data() + at, end - at);
        at = end + 1;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const std::vector<std::string_view> words = Words(line);
        if (words.size() < 2) {
            continue;
        }
        const bool cue = kind == ImageKind::CueSheet;
        if (cue ? SameWord(words[0], "FILE")
                : words[0] == "FILE" || words[0] == "AUDIOFILE" || words[0] == "DATAFILE") {
            const std::string name = Unquoted(words[1]);
            if (std::optional<std::string> reason =
                    CheckImageFile(cue && !name.starts_with('/') ? folder + name : name,
                                   "the file it names, " + FileNameInMessage(name) + ",", size)) {
                return reason;
            }
        } else if (cue && SameWord(words[0], "TRACK")) {
            track = TextInMessage(words[1]);
        } else if (cue && SameWord(words[0], "INDEX")) {
            const std::optional<std::uint64_t> frames =
                words.size() >= 3 ? Frames(words[2]) : std::nullopt;
            if (!frames) {
                return "its INDEX of track " + track + " is damaged";
            }
            if (*frames >= binSectors) {
                return "its track " + track + " starts beyond the end of " + binName;
            }
        }
    }
    return std::nullopt;
}

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
    const ImageKind kind = KindOf(path);
    if (kind == ImageKind::Unknown) {
        reason = "it is not a disc image this player can read";
        return nullptr;
    }
    if (std::optional<std::string> refused = CheckImage(path, kind)) {
        reason = *refused;
        return nullptr;
    }
    // The driver of the kind checked, not one the library guesses from the name or content.
    std::unique_ptr<CdDisc> disc(new CdDisc);
    disc->cdio_ = cdio_open(path.c_str(), kind == ImageKind::CueSheet  ? DRIVER_BINCUE
                                          : kind == ImageKind::TocFile ? DRIVER_CDRDAO
                                                                       : DRIVER_NRG);
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
