#pragma once

#include <optional>
#include <string>

namespace quillmark {

// What an audio CD device says it is doing.
enum class CdMode { NotReady, Stopped, Playing, Recording, Seeking, Paused, Open };

// Times in whole minutes and seconds; frames (75 a second) are never used.
struct CdTrackPosition {
    int track = 0;
    int minutes = 0;
    int seconds = 0;
    bool operator==(const CdTrackPosition&) const = default;
};

struct CdTrackLength {
    int minutes = 0;
    int seconds = 0;
    bool operator==(const CdTrackLength&) const = default;
};

// The audio CD in the computer's drive, or a disc image standing in for one. The windows play
// it through the sound output; tests use a simulated disc and clock.
class CdDevice {
public:
    virtual ~CdDevice() = default;

    virtual CdMode Mode() = 0;
    virtual int TrackCount() = 0;
    virtual CdTrackLength TrackLength(int track) = 0;  // tracks from 1
    // Where playing is now: track 0 when there is no disc.
    virtual CdTrackPosition Position() = 0;
    // Where the next Play starts.
    virtual void SetStartPosition(CdTrackPosition position) = 0;
    // False when nothing could sound (no sound output): the disc stays where it was.
    virtual bool Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    // To the start of the next track, or of the current one (of the one before when already
    // at its start); playing goes on if it was playing.
    virtual void Next() = 0;
    virtual void Previous() = 0;
    virtual void Eject() = 0;
    // The next command to complete is announced once, through the device's notification.
    virtual void NotifyOnCompletion() = 0;
    // Plays a disc image (a CUE sheet and its BIN file, say) as if it were the disc in the
    // drive; the reason when it cannot be read.
    virtual std::optional<std::string> OpenDiscImage(const std::string& path) = 0;
};

}  // namespace quillmark
