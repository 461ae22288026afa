#pragma once

#include "core/one_based_array.h"
#include "forms/cd_player/cd_device.h"
#include "forms/controls.h"

#include <cstdint>
#include <string>

namespace quillmark {

class Workspace;

// The colour of the track and position labels and their captions: red when stopped, lime while
// playing, yellow when paused.
enum class CdLabelColour { Red, Lime, Yellow };

// The CD player window: the state of the drive, the current track and the position within it,
// the player's buttons and two options.
class TCDPlayer {
public:
    TCDPlayer(Workspace& workspace, CdDevice& device);

    enum class Button { Play, Pause, Stop, Next, Prev, Eject };
    static constexpr int MaxTracks = 100;

    std::string Caption = "CD Player";
    // The player has no help button; F1 opens this topic.
    std::string HelpTopic = "CD Player";
    LabelControl TrackCaption{"Track:"};
    LabelControl lblTrack{"0"};
    LabelControl TimeCaption{"Postion:"};
    LabelControl lblTime{"00:00"};
    LabelControl CDStatus{"Ready"};
    // Why Play did not start the disc; empty once it does.
    LabelControl SoundMessage;
    CdLabelColour LabelColour = CdLabelColour::Red;
    ButtonControl PlayBtn{"", "Play"};
    ButtonControl PauseBtn{"", "Pause"};
    ButtonControl StopBtn{"", "Stop"};
    ButtonControl NextBtn{"", "Next Track"};
    ButtonControl PrevBtn{"", "Previous Track"};
    ButtonControl EjectBtn{"", "Eject"};
    ActionControl mnuOptionsContinuous;
    ActionControl mnuOptionsRepeat;
    ActionControl OpenDiscImage;
    bool Timer1Enabled = true;  // refreshes once a second while set

    OneBasedArray<CdTrackLength, MaxTracks> TrackLengths{};
    bool TracksLoaded = false;
    bool PlayRequested = false;
    bool Paused = false;
    std::int32_t RepeatLimit = 0;

    // Seconds from the start of the disc to second s of minute m of track t.
    int CDPos(int track, int seconds, int minutes) const;
    void InitCD();
    void ResetCD();

    // A player button: the device does its part, then the window follows.
    void CDClick(Button button);
    void CDPostClick(Button button);
    void Timer1Timer();
    // The device's notification of a completed command.
    void CDNotify();
    void mnuOptionsContinuousClick();
    void mnuOptionsRepeatClick();
    void OpenDiscImageClick();

private:
    // Plays the disc, or says that nothing can sound; true when it plays.
    bool StartPlaying();
    void EnableButtons(CdMode mode);
    void OptionsChanged();
    void SetRepeatLimit();

    Workspace& workspace_;
    CdDevice& device_;
};

}  // namespace quillmark
