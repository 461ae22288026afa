// The CD player driven with a simulated disc whose clock the test moves on: no drive and no
// sound card needed.

#include "support/view_fixture.h"

#include "forms/cd_player/cd_player_form.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <numeric>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using Button = TCDPlayer::Button;

// A disc of tracks of the given lengths in seconds, playing as the test moves time on.
class SimulatedCd : public CdDevice {
public:
    std::vector<int> Tracks;  // lengths in seconds; none: no disc
    CdMode State = CdMode::NotReady;
    int At = 0;  // seconds from the start of the disc
    bool NotificationDue = false;
    bool Sound = true;  // a sound output to play through
    std::optional<std::string> ImageProblem;

    void Insert(std::vector<int> tracks)
    {
        Tracks = std::move(tracks);
        State = CdMode::Stopped;
        At = 0;
    }
    // Plays on for that many seconds; the disc stops at its end.
    void Wait(int seconds)
    {
        if (State == CdMode::Playing) {
            At = std::min(At + seconds, DiscLength());
            State = At == DiscLength() ? CdMode::Stopped : State;
        }
    }

    CdMode Mode() override { return State; }
    int TrackCount() override { return static_cast<int>(Tracks.size()); }
    CdTrackLength TrackLength(int track) override
    {
        const int length = Tracks.at(static_cast<std::size_t>(track - 1));
        return {length / 60, length % 60};
    }
    CdTrackPosition Position() override
    {
        const int into = At - StartOf(TrackAt());
        return Tracks.empty() ? CdTrackPosition{}
                              : CdTrackPosition{TrackAt(), into / 60, into % 60};
    }
    void SetStartPosition(CdTrackPosition position) override
    {
        MoveTo(Tracks.empty() ? At
                              : StartOf(position.track) + position.minutes * 60 + position.seconds);
    }
    bool Play() override
    {
        if (Sound) {
            Command(CdMode::Playing);
        }
        return Sound;
    }
    void Pause() override { Command(State == CdMode::Playing ? CdMode::Paused : State); }
    void Stop() override { Command(Tracks.empty() ? State : CdMode::Stopped); }
    void Next() override { MoveTo(TrackAt() < TrackCount() ? StartOf(TrackAt() + 1) : At); }
    void Previous() override
    {
        const int track = TrackAt();
        MoveTo(At - StartOf(track) < 1 && track > 1 ? StartOf(track - 1) : StartOf(track));
    }
    void Eject() override
    {
        Tracks.clear();
        Command(CdMode::Open);
    }
    void NotifyOnCompletion() override { notify_ = true; }
    std::optional<std::string> OpenDiscImage(const std::string& /*path*/) override
    {
        if (!ImageProblem) {
            Insert({5, 7});
        }
        return ImageProblem;
    }

private:
    int DiscLength() const { return StartOf(static_cast<int>(Tracks.size()) + 1); }
    int StartOf(int track) const
    {
        const int before = std::clamp(track - 1, 0, static_cast<int>(Tracks.size()));
        return std::accumulate(Tracks.begin(), Tracks.begin() + before, 0);
    }
    int TrackAt() const
    {
        int track = 1;
        while (track < static_cast<int>(Tracks.size()) && At >= StartOf(track + 1)) {
            ++track;
        }
        return track;
    }
    void MoveTo(int at)
    {
        At = at;
        Command(State);
    }
    // Every command completes at once, announcing itself when that was asked for.
    void Command(CdMode mode)
    {
        State = mode;
        NotificationDue = NotificationDue || notify_;
        notify_ = false;
    }
    bool notify_ = false;
};

class CdPlayerTest : public ViewTest {
protected:
    // The window is made with a disc of 4:10, 3:01 and 3:20 in the drive.
    void SetUp() override
    {
        ViewTest::SetUp();
        cd.Insert({250, 181, 200});
        player = std::make_unique<TCDPlayer>(workspace, cd);
    }
    void Tick(int seconds = 1)
    {
        for (int i = 0; i < seconds; ++i) {
            cd.Wait(1);
            if (player->Timer1Enabled) {
                player->Timer1Timer();
            }
        }
    }
    std::string Shown() const { return player->lblTrack.caption + " " + player->lblTime.caption; }

    SimulatedCd cd;
    std::unique_ptr<TCDPlayer> player;
};

TEST_F(CdPlayerTest, PositionsCountFromTheStartOfTheDiscAndShowWithinTheTrack)
{
    // The tracks are read at the first look at a stopped disc, and that is said for a moment.
    EXPECT_EQ(player->CDStatus.caption, " Loading tracks");
    EXPECT_TRUE(player->TracksLoaded);
    Tick();
    EXPECT_EQ(player->CDStatus.caption, " Stopped");
    cd.Tracks = {250, 200, 100};  // 4:10 and 3:20 before track 3
    player->TracksLoaded = false;
    player->InitCD();
    EXPECT_EQ(player->CDPos(3, 5, 2), 575);
    EXPECT_EQ(player->CDPos(1, 5, 2), 125);
    EXPECT_EQ(player->CDPos(0, 7, 0), 7);
    player->CDClick(Button::Play);
    EXPECT_EQ(player->LabelColour, CdLabelColour::Lime);
    Tick(7);
    EXPECT_EQ(player->CDStatus.caption, " Playing");
    EXPECT_EQ(Shown(), "1 00:07");
    Tick(250);
    EXPECT_EQ(Shown(), "2 00:07");
    EXPECT_FALSE(player->PlayBtn.enabled);
    EXPECT_TRUE(player->PauseBtn.enabled && player->StopBtn.enabled && player->NextBtn.enabled);
    player->CDClick(Button::Pause);
    EXPECT_EQ(player->LabelColour, CdLabelColour::Yellow);
    EXPECT_EQ(player->CDStatus.caption, " Paused");
    EXPECT_TRUE(player->PlayBtn.enabled);
    player->CDClick(Button::Stop);
    EXPECT_EQ(player->LabelColour, CdLabelColour::Red);
    EXPECT_EQ(Shown(), "0 00:00");
    EXPECT_EQ(cd.Position(), (CdTrackPosition{1, 0, 0})) << "back to the start of the disc";
}

TEST_F(CdPlayerTest, ContinuousPlayStartsAgainAtTheEndOfTheDiscButNotAfterStop)
{
    player->mnuOptionsContinuousClick();
    EXPECT_TRUE(player->mnuOptionsContinuous.checked);
    player->CDClick(Button::Play);
    Tick(631);  // the whole disc
    EXPECT_EQ(cd.State, CdMode::Playing) << "started again";
    Tick(3);
    EXPECT_EQ(Shown(), "1 00:03");
    player->CDClick(Button::Stop);
    EXPECT_FALSE(player->PlayRequested);
    Tick(5);
    EXPECT_EQ(cd.State, CdMode::Stopped);
    EXPECT_EQ(player->CDStatus.caption, " Stopped");
}

TEST_F(CdPlayerTest, RepeatJumpsBackOncePastTwoFiftyNineOfAThreeOhOneTrack)
{
    player->CDClick(Button::Play);
    player->CDClick(Button::Next);
    EXPECT_EQ(Shown(), "2 00:00");
    player->mnuOptionsRepeatClick();
    EXPECT_EQ(player->RepeatLimit, 250 + 181 - 2);
    Tick(179);
    EXPECT_EQ(Shown(), "2 02:59");
    EXPECT_TRUE(player->Timer1Enabled);
    Tick();
    EXPECT_FALSE(player->Timer1Enabled) << "the timer waits for the device";
    EXPECT_EQ(cd.Position(), (CdTrackPosition{2, 0, 0}));
    ASSERT_TRUE(cd.NotificationDue);
    player->CDNotify();
    EXPECT_TRUE(player->Timer1Enabled);
    EXPECT_EQ(Shown(), "2 00:00");
    Tick(3);
    EXPECT_EQ(Shown(), "2 00:03");

    // Unticked: the track plays on into the next.
    player->mnuOptionsRepeatClick();
    Tick(180);
    EXPECT_EQ(Shown(), "3 00:02");
}

TEST_F(CdPlayerTest, WithoutADiscOnlyTheDiscImageIsOfferedAndEjectForgetsTheTracks)
{
    player->CDClick(Button::Eject);
    EXPECT_EQ(player->CDStatus.caption, " Open");
    EXPECT_FALSE(player->TracksLoaded);
    cd.State = CdMode::NotReady;
    player->Timer1Timer();
    EXPECT_EQ(player->CDStatus.caption, " Not ready");
    for (const ButtonControl* button : {&player->PlayBtn, &player->PauseBtn, &player->StopBtn,
                                        &player->NextBtn, &player->PrevBtn, &player->EjectBtn}) {
        EXPECT_FALSE(button->enabled) << button->hint;
    }
    EXPECT_TRUE(player->OpenDiscImage.enabled);
    player->mnuOptionsRepeatClick();  // nothing to repeat: nothing jumps later either
    cd.ImageProblem = "no tracks";
    dialogs.ChooseFile("/tmp/broken.cue");
    player->OpenDiscImageClick();
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[1].text, "/tmp/broken.cue could not be played: no tracks");
    EXPECT_EQ(player->CDStatus.caption, " Not ready");
    cd.ImageProblem.reset();
    dialogs.ChooseFile("/tmp/tones.cue");
    player->OpenDiscImageClick();
    EXPECT_EQ(player->CDStatus.caption, " Loading tracks");
    EXPECT_THAT(player->TrackLengths[2], (CdTrackLength{0, 7}));
    EXPECT_EQ(player->RepeatLimit, 5 - 2) << "the first track of the disc now in the drive";
    player->mnuOptionsRepeatClick();
    player->CDClick(Button::Play);
    Tick(6);
    EXPECT_EQ(Shown(), "2 00:01");
}

TEST_F(CdPlayerTest, WithoutASoundOutputPlaySaysSoAndTheDiscStaysStopped)
{
    cd.Sound = false;
    player->CDClick(Button::Play);
    Tick(3);
    EXPECT_EQ(player->SoundMessage.caption, "No sound output is available.");
    EXPECT_EQ(player->CDStatus.caption, " Stopped");
    EXPECT_EQ(Shown(), "0 00:00");
    EXPECT_FALSE(player->PlayRequested);
    EXPECT_EQ(player->LabelColour, CdLabelColour::Red);
    EXPECT_TRUE(player->PlayBtn.enabled) << "to try again";

    // Headphones plugged in: the disc plays and the message goes. Pulled out again before the
    // disc is over, continuous play cannot start it again and says why.
    cd.Sound = true;
    player->mnuOptionsContinuousClick();
    player->CDClick(Button::Play);
    EXPECT_EQ(player->SoundMessage.caption, "");
    cd.Sound = false;
    Tick(631);
    EXPECT_EQ(cd.State, CdMode::Stopped);
    EXPECT_FALSE(player->PlayRequested);
    EXPECT_EQ(player->LabelColour, CdLabelColour::Red);
    EXPECT_EQ(player->SoundMessage.caption, "No sound output is available.");
}

}  // namespace
}  // namespace quillmark::test
