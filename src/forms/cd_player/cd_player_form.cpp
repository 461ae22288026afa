#include "forms/cd_player/cd_player_form.h"

#include "core/file_messages.h"
#include "forms/workspace.h"

#include <algorithm>
#include <limits>

namespace quillmark {

namespace {

ActionControl Option(std::string caption, std::string menuName)
{
    ActionControl action;
    action.caption = std::move(caption);
    action.menuName = std::move(menuName);
    action.checkable = true;
    return action;
}

std::string TwoDigits(int value)
{
    return (value < 10 ? "0" : "") + std::to_string(value);
}

const char* ModeName(CdMode mode)
{
    switch (mode) {
    case CdMode::NotReady:
        return "Not ready";
    case CdMode::Stopped:
        return "Stopped";
    case CdMode::Playing:
        return "Playing";
    case CdMode::Recording:
        return "Recording";
    case CdMode::Seeking:
        return "Seeking";
    case CdMode::Paused:
        return "Paused";
    case CdMode::Open:
        return "Open";
    }
    return "Not ready";
}

}  // namespace

TCDPlayer::TCDPlayer(Workspace& workspace, CdDevice& device)
    : workspace_(workspace), device_(device)
{
    mnuOptionsContinuous = Option("Continuous Play", "mnuOptionsContinuous");
    mnuOptionsRepeat = Option("Repeat Current Song", "mnuOptionsRepeat");
    OpenDiscImage.caption = "Open Disc Image\x85";
    OpenDiscImage.menuName = "OpenDiscImage";
    OpenDiscImage.shortcut = "Ctrl+O";
    // The buttons follow the drive from the start: a computer without one shows it at once.
    Timer1Timer();
}

int TCDPlayer::CDPos(int track, int seconds, int minutes) const
{
    int position = seconds + 60 * minutes;
    for (int before = 1; before < std::min(track, MaxTracks + 1); ++before) {
        position += TrackLengths[before].minutes * 60 + TrackLengths[before].seconds;
    }
    return position;
}

void TCDPlayer::InitCD()
{
    if (TracksLoaded) {
        return;
    }
    CDStatus.caption = " Loading tracks";
    // A disc holds 99 tracks at most; a device claiming more is not believed past the table.
    const int tracks = std::clamp(device_.TrackCount(), 0, MaxTracks);
    TrackLengths = {};
    for (int track = 1; track <= tracks; ++track) {
        TrackLengths[track] = device_.TrackLength(track);
    }
    TracksLoaded = true;
    if (mnuOptionsRepeat.checked) {
        SetRepeatLimit();  // the limit of another disc means nothing on this one
    }
}

void TCDPlayer::ResetCD()
{
    lblTrack.caption = "0";
    lblTime.caption = "00:00";
    LabelColour = CdLabelColour::Red;
    device_.Stop();
    device_.SetStartPosition({1, 0, 0});
    PlayRequested = false;
    Paused = false;
}

void TCDPlayer::CDClick(Button button)
{
    const ButtonControl* control[] = {&PlayBtn, &PauseBtn, &StopBtn, &NextBtn, &PrevBtn, &EjectBtn};
    if (!control[static_cast<int>(button)]->enabled) {
        return;
    }
    switch (button) {
    case Button::Play:
        if (!StartPlaying()) {
            Timer1Timer();
            return;
        }
        break;
    case Button::Pause:
        device_.Pause();
        break;
    case Button::Stop:
        device_.Stop();
        break;
    case Button::Next:
        device_.Next();
        break;
    case Button::Prev:
        device_.Previous();
        break;
    case Button::Eject:
        device_.Eject();
        break;
    }
    CDPostClick(button);
}

void TCDPlayer::CDPostClick(Button button)
{
    switch (button) {
    case Button::Play:
        LabelColour = CdLabelColour::Lime;
        PlayRequested = true;
        Paused = false;
        break;
    case Button::Pause:
        LabelColour = CdLabelColour::Yellow;
        PlayRequested = false;
        Paused = true;
        break;
    case Button::Stop:
        ResetCD();
        break;
    case Button::Eject:
        TracksLoaded = false;
        ResetCD();
        break;
    case Button::Next:
    case Button::Prev:
        break;
    }
    Timer1Timer();
}

void TCDPlayer::Timer1Timer()
{
    CdMode mode = device_.Mode();
    CDStatus.caption = Paused ? " Paused" : std::string(" ") + ModeName(mode);
    switch (mode) {
    case CdMode::Stopped:
        InitCD();
        // Stopped by itself at the end of the disc, not by the user: start it again.
        if (PlayRequested && !Paused && mnuOptionsContinuous.checked) {
            device_.SetStartPosition({1, 0, 0});
            if (StartPlaying()) {
                mode = CdMode::Playing;
            } else {
                PlayRequested = false;
                LabelColour = CdLabelColour::Red;
            }
        }
        break;
    case CdMode::Playing: {
        const CdTrackPosition at = device_.Position();
        if (mnuOptionsRepeat.checked && CDPos(at.track, at.seconds, at.minutes) > RepeatLimit) {
            // Back to the start of the track; the device's notification refreshes the window.
            Timer1Enabled = false;
            device_.NotifyOnCompletion();
            device_.Previous();
        }
        lblTrack.caption = std::to_string(at.track);
        lblTime.caption = TwoDigits(at.minutes) + ":" + TwoDigits(at.seconds);
        break;
    }
    case CdMode::Open:
        TracksLoaded = false;
        ResetCD();
        break;
    default:
        break;
    }
    EnableButtons(mode);
}

bool TCDPlayer::StartPlaying()
{
    if (!device_.Play()) {
        SoundMessage.caption = "No sound output is available.";
        return false;
    }
    SoundMessage.caption.clear();
    return true;
}

void TCDPlayer::CDNotify()
{
    // The periodic refresh goes on after a repeat.
    Timer1Enabled = true;
    Timer1Timer();
}

void TCDPlayer::EnableButtons(CdMode mode)
{
    const bool disc = mode == CdMode::Stopped || mode == CdMode::Playing ||
                      mode == CdMode::Paused || mode == CdMode::Seeking;
    PlayBtn.enabled = disc && mode != CdMode::Playing;
    PauseBtn.enabled = mode == CdMode::Playing;
    StopBtn.enabled = mode == CdMode::Playing || mode == CdMode::Paused;
    NextBtn.enabled = disc;
    PrevBtn.enabled = disc;
    EjectBtn.enabled = disc || mode == CdMode::Open;
}

void TCDPlayer::mnuOptionsContinuousClick()
{
    mnuOptionsContinuous.checked = !mnuOptionsContinuous.checked;
    OptionsChanged();
}

void TCDPlayer::mnuOptionsRepeatClick()
{
    mnuOptionsRepeat.checked = !mnuOptionsRepeat.checked;
    OptionsChanged();
}

// Either option: the track playing now is the one repeated.
void TCDPlayer::OptionsChanged()
{
    if (mnuOptionsRepeat.checked) {
        // The lengths are needed to know where the track ends, even on a disc that was
        // already playing when the window opened.
        if (device_.Mode() != CdMode::NotReady && device_.Mode() != CdMode::Open) {
            InitCD();
        }
        SetRepeatLimit();
    }
}

void TCDPlayer::SetRepeatLimit()
{
    const int track = device_.Position().track;
    if (track < 1 || track > MaxTracks) {
        // No disc to repeat a track of.
        RepeatLimit = std::numeric_limits<std::int32_t>::max();
        return;
    }
    RepeatLimit = CDPos(track, TrackLengths[track].seconds, TrackLengths[track].minutes) - 2;
}

void TCDPlayer::OpenDiscImageClick()
{
    Dialogs& dialogs = workspace_.services.dialogs;
    const std::optional<std::string> path = dialogs.OpenFileDialog(
        {"Open Disc Image", "Disc Images|*.cue;*.toc;*.nrg|All Files|*.*", "cue"});
    if (!path || path->empty()) {
        return;
    }
    if (const std::optional<std::string> reason = device_.OpenDiscImage(*path)) {
        dialogs.ShowError(FileNameInMessage(*path) + " could not be played: " + *reason);
    }
    TracksLoaded = false;
    ResetCD();
    Timer1Timer();
}

}  // namespace quillmark
