#pragma once

#include "forms/cd_player/cd_device.h"

#include <QObject>
#include <QPointer>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>

class QThread;

namespace quillmark {

class CdDisc;
class CdFeeder;

// The CD player's device: the disc in the drive (or a disc image) read digitally and played
// through the sound output on a worker thread. Commands wait for the worker to take them, so
// that the mode asked for is the mode reported, but never longer than answerWithin: a drive
// that does not answer (spinning up, stuck on a bad disc) must not freeze the program, whose
// other windows may hold unsaved work.
class CdAudioDevice : public CdDevice {
public:
    // Where the disc is heard: through the sound output, where Play fails without one, or
    // nowhere at the disc's own pace (a disc image played by the tests on a machine without
    // sound).
    enum class Sound { Output, Silent };

    explicit CdAudioDevice(std::chrono::milliseconds answerWithin = std::chrono::seconds(2),
                           Sound sound = Sound::Output);
    ~CdAudioDevice() override;
    CdAudioDevice(const CdAudioDevice&) = delete;
    CdAudioDevice& operator=(const CdAudioDevice&) = delete;

    // Where the completion notification goes: run on the window's thread.
    void SetNotification(QObject* context, std::function<void()> notify);

    CdMode Mode() override;
    int TrackCount() override;
    CdTrackLength TrackLength(int track) override;
    CdTrackPosition Position() override;
    void SetStartPosition(CdTrackPosition position) override;
    bool Play() override;
    void Pause() override;
    void Stop() override;
    void Next() override;
    void Previous() override;
    void Eject() override;
    void NotifyOnCompletion() override;
    std::optional<std::string> OpenDiscImage(const std::string& path) override;

    // Hands the worker something to do and does not wait for it (tests keep it busy so).
    void OnWorker(std::function<void()> work);

private:
    struct PendingCommand;

    // Runs the command on the worker and waits for it, at most answerWithin_; then the
    // notification, if asked for. A command the worker has not begun by then is dropped, and
    // while one it began is still running no other is given to it. True when it ran.
    bool Command(std::function<void(CdFeeder&)> command);

    std::chrono::milliseconds answerWithin_;
    std::shared_ptr<PendingCommand> lastCommand_;
    QThread* thread_ = nullptr;
    CdFeeder* feeder_ = nullptr;  // lives on thread_
    QPointer<QObject> notifyContext_;
    std::function<void()> notify_;
    bool notifyArmed_ = false;
};

}  // namespace quillmark
