#include "ui/cd_player/cd_audio_device.h"

#include "ui/cd_player/cd_disc.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <condition_variable>
#include <vector>

namespace quillmark {

// Reads the disc and feeds the sound output; everything it does runs on its own thread.
class CdFeeder : public QObject {
public:
    explicit CdFeeder(bool silent) : silent_(silent) {}

    // What the window's thread reads between commands.
    struct State {
        CdMode mode = CdMode::NotReady;
        std::vector<long> starts;   // of each track, in sectors
        std::vector<long> lengths;  // of each track, in sectors
        long position = 0;          // the sector being heard
    };

    State Snapshot()
    {
        const std::lock_guard lock(mutex_);
        return state_;
    }

    void Start()
    {
        timer_ = new QTimer(this);
        timer_->setInterval(20);
        connect(timer_, &QTimer::timeout, this, [this] { Tick(); });
        timer_->start();
        ProbeDrive();
    }

    void Stop()
    {
        StopSound();
        if (disc_) {
            start_ = std::min(start_, disc_->EndSector());
            mode_ = CdMode::Stopped;
        }
        Publish();
    }

    // False when nothing can sound: the disc stays where it was.
    bool Play()
    {
        if (!disc_) {
            return true;  // nothing to play, as the mode says
        }
        if (start_ >= disc_->EndSector()) {
            start_ = 0;
        }
        const bool sounding = StartSound(start_);
        if (sounding) {
            mode_ = CdMode::Playing;
        }
        Publish();
        return sounding;
    }

    void Pause()
    {
        if (mode_ == CdMode::Playing) {
            start_ = Heard();
            StopSound();
            mode_ = CdMode::Paused;
        }
        Publish();
    }

    // To a sector; playing goes on from there if it was playing.
    void Seek(long sector)
    {
        if (!disc_) {
            return;
        }
        start_ = std::clamp(sector, 0L, disc_->EndSector());
        if (mode_ == CdMode::Playing && !StartSound(start_)) {
            mode_ = CdMode::Stopped;  // the sound output went away
        }
        Publish();
    }

    long Heard() const
    {
        if (mode_ != CdMode::Playing || !disc_) {
            return start_;
        }
        const qint64 microseconds =
            sink_ != nullptr ? sink_->processedUSecs() : clock_.nsecsElapsed() / 1000;
        return std::min(
            disc_->EndSector(),
            base_ + static_cast<long>(microseconds * CdDisc::SectorsPerSecond / 1'000'000));
    }

    void Eject()
    {
        StopSound();
        const bool fromDrive = disc_ && disc_->FromDrive();
        disc_.reset();
        start_ = 0;
        image_ = false;
        if (fromDrive && CdDisc::EjectDrive()) {
            mode_ = CdMode::Open;
        } else {
            // An image put away gives the drive back.
            ProbeDrive();
        }
        Publish();
    }

    std::optional<std::string> OpenImage(const std::string& path)
    {
        std::string reason;
        std::unique_ptr<CdDisc> disc = CdDisc::OpenImage(path, reason);
        if (!disc) {
            return reason;
        }
        StopSound();
        disc_ = std::move(disc);
        image_ = true;
        start_ = 0;
        mode_ = CdMode::Stopped;
        Publish();
        return std::nullopt;
    }

    ~CdFeeder() override { StopSound(); }

private:
    void ProbeDrive()
    {
        std::string reason;
        disc_ = CdDisc::OpenDrive(reason);
        if (disc_) {
            mode_ = CdMode::Stopped;
        } else if (mode_ != CdMode::Open) {
            mode_ = CdMode::NotReady;
        }
        start_ = 0;
        Publish();
    }

    bool StartSound(long sector)
    {
        StopSound();
        base_ = sector;
        read_ = sector;
        if (silent_) {
            clock_.start();
            return true;
        }
        QAudioFormat format;
        format.setSampleRate(44100);
        format.setChannelCount(2);
        format.setSampleFormat(QAudioFormat::Int16);
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (!output.isNull() && output.isFormatSupported(format)) {
            sink_ = new QAudioSink(output, format, this);
            sink_->setBufferSize(CdDisc::SectorBytes * CdDisc::SectorsPerSecond / 2);
            out_ = sink_->start();
            if (out_ == nullptr || sink_->error() != QAudio::NoError) {
                StopSound();
            }
        }
        if (sink_ == nullptr) {
            return false;
        }
        Feed();
        return true;
    }

    void StopSound()
    {
        if (sink_ != nullptr) {
            sink_->stop();
            delete sink_;
        }
        sink_ = nullptr;
        out_ = nullptr;
    }

    void Feed()
    {
        if (sink_ == nullptr || out_ == nullptr || !disc_) {
            return;
        }
        constexpr int Chunk = 4;
        std::vector<std::uint8_t> buffer(static_cast<std::size_t>(Chunk) * CdDisc::SectorBytes);
        while (read_ < disc_->EndSector() && sink_->bytesFree() >= Chunk * CdDisc::SectorBytes) {
            const int count = static_cast<int>(std::min<long>(Chunk, disc_->EndSector() - read_));
            const auto bytes = static_cast<std::size_t>(count) * CdDisc::SectorBytes;
            if (!disc_->Read(read_, count, buffer.data())) {
                std::fill_n(buffer.begin(), bytes, 0);  // a sector that cannot be read is silence
            }
            out_->write(reinterpret_cast<const char*>(buffer.data()), static_cast<qint64>(bytes));
            read_ += count;
        }
    }

    void Tick()
    {
        if (mode_ == CdMode::Playing) {
            Feed();
            if (Heard() >= disc_->EndSector()) {
                // Played to the end of the disc.
                StopSound();
                start_ = disc_->EndSector();
                mode_ = CdMode::Stopped;
            }
            Publish();
        } else if (!disc_ && !image_ && ++idleTicks_ % 150 == 0) {
            ProbeDrive();  // a disc put into the drive
        }
    }

    void Publish()
    {
        State state;
        state.mode = mode_;
        if (disc_) {
            for (int track = 1; track <= disc_->TrackCount(); ++track) {
                state.starts.push_back(disc_->TrackStart(track));
                state.lengths.push_back(disc_->TrackSectors(track));
            }
        }
        state.position = Heard();
        const std::lock_guard lock(mutex_);
        state_ = std::move(state);
    }

    std::mutex mutex_;
    State state_;
    const bool silent_;
    std::unique_ptr<CdDisc> disc_;
    bool image_ = false;
    CdMode mode_ = CdMode::NotReady;
    long start_ = 0;  // where Play starts, and where a stopped or paused disc is
    long base_ = 0;   // the sector the sound output started at
    long read_ = 0;   // the next sector to hand to the sound output
    QAudioSink* sink_ = nullptr;
    QIODevice* out_ = nullptr;
    QElapsedTimer clock_;
    QTimer* timer_ = nullptr;
    long idleTicks_ = 0;
};

// A command handed to the worker, shared by both threads: the window may stop waiting for it.
struct CdAudioDevice::PendingCommand {
    enum class Stage { Queued, Running, Finished, Dropped };
    std::mutex mutex;
    std::condition_variable changed;
    Stage stage = Stage::Queued;
};

CdAudioDevice::CdAudioDevice(std::chrono::milliseconds answerWithin, Sound sound)
    : answerWithin_(answerWithin)
{
    thread_ = new QThread;
    thread_->setObjectName("CD audio");
    feeder_ = new CdFeeder(sound == Sound::Silent);
    feeder_->moveToThread(thread_);
    QObject::connect(thread_, &QThread::finished, feeder_, &QObject::deleteLater);
    thread_->start();
    // Started whatever happens, first; the window waits a while for the drive to be probed.
    OnWorker([feeder = feeder_] { feeder->Start(); });
    Command([](CdFeeder&) {});
}

CdAudioDevice::~CdAudioDevice()
{
    // The feeder goes on its own thread as that ends.
    thread_->quit();
    if (thread_->wait(QDeadlineTimer(answerWithin_))) {
        delete thread_;
        return;
    }
    // A worker stuck in the drive is left to end by itself; the thread goes once it has.
    QObject::connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
    if (thread_->isFinished()) {
        thread_->deleteLater();
    }
}

void CdAudioDevice::SetNotification(QObject* context, std::function<void()> notify)
{
    notifyContext_ = context;
    notify_ = std::move(notify);
}

bool CdAudioDevice::Command(std::function<void(CdFeeder&)> command)
{
    using Stage = PendingCommand::Stage;
    bool ran = false;
    const bool workerFree = [this] {
        if (!lastCommand_) {
            return true;
        }
        const std::lock_guard lock(lastCommand_->mutex);
        return lastCommand_->stage != Stage::Running;
    }();
    if (workerFree) {
        auto pending = std::make_shared<PendingCommand>();
        QMetaObject::invokeMethod(
            feeder_,
            [feeder = feeder_, pending, command = std::move(command)] {
                {
                    const std::lock_guard lock(pending->mutex);
                    if (pending->stage == Stage::Dropped) {
                        return;
                    }
                    pending->stage = Stage::Running;
                }
                command(*feeder);
                {
                    const std::lock_guard lock(pending->mutex);
                    pending->stage = Stage::Finished;
                }
                pending->changed.notify_all();
            },
            Qt::QueuedConnection);
        std::unique_lock lock(pending->mutex);
        ran = pending->changed.wait_for(lock, answerWithin_,
                                        [&] { return pending->stage == Stage::Finished; });
        if (pending->stage == Stage::Queued) {
            pending->stage = Stage::Dropped;
        }
        lastCommand_ = pending;
    }
    // Announced whether or not the worker got to it: the window waits for no more.
    if (notifyArmed_) {
        notifyArmed_ = false;
        if (notifyContext_ && notify_) {
            QMetaObject::invokeMethod(notifyContext_, notify_, Qt::QueuedConnection);
        }
    }
    return ran;
}

void CdAudioDevice::OnWorker(std::function<void()> work)
{
    QMetaObject::invokeMethod(feeder_, std::move(work), Qt::QueuedConnection);
}

CdMode CdAudioDevice::Mode()
{
    return feeder_->Snapshot().mode;
}

int CdAudioDevice::TrackCount()
{
    return static_cast<int>(feeder_->Snapshot().starts.size());
}

CdTrackLength CdAudioDevice::TrackLength(int track)
{
    const CdFeeder::State state = feeder_->Snapshot();
    if (track < 1 || track > static_cast<int>(state.lengths.size())) {
        return {};
    }
    const long seconds =
        state.lengths[static_cast<std::size_t>(track - 1)] / CdDisc::SectorsPerSecond;
    return {static_cast<int>(seconds / 60), static_cast<int>(seconds % 60)};
}

namespace {

int TrackAt(const CdFeeder::State& state, long sector)
{
    int track = 1;
    while (track < static_cast<int>(state.starts.size()) &&
           sector >= state.starts[static_cast<std::size_t>(track)]) {
        ++track;
    }
    return track;
}

}  // namespace

CdTrackPosition CdAudioDevice::Position()
{
    const CdFeeder::State state = feeder_->Snapshot();
    if (state.starts.empty()) {
        return {};
    }
    const int track = TrackAt(state, state.position);
    const long seconds = (state.position - state.starts[static_cast<std::size_t>(track - 1)]) /
                         CdDisc::SectorsPerSecond;
    return {track, static_cast<int>(seconds / 60), static_cast<int>(seconds % 60)};
}

void CdAudioDevice::SetStartPosition(CdTrackPosition position)
{
    const CdFeeder::State state = feeder_->Snapshot();
    if (state.starts.empty()) {
        Command([](CdFeeder&) {});
        return;
    }
    const int track = std::clamp(position.track, 1, static_cast<int>(state.starts.size()));
    const long sector = state.starts[static_cast<std::size_t>(track - 1)] +
                        (position.minutes * 60L + position.seconds) * CdDisc::SectorsPerSecond;
    Command([sector](CdFeeder& feeder) { feeder.Seek(sector); });
}

bool CdAudioDevice::Play()
{
    // Kept by the command itself, as an image's reason is.
    auto sounding = std::make_shared<bool>(true);
    if (!Command([sounding](CdFeeder& feeder) { *sounding = feeder.Play(); })) {
        return true;  // no answer: the mode tells what the drive does
    }
    return *sounding;
}

void CdAudioDevice::Pause()
{
    Command([](CdFeeder& feeder) { feeder.Pause(); });
}

void CdAudioDevice::Stop()
{
    Command([](CdFeeder& feeder) { feeder.Stop(); });
}

void CdAudioDevice::Next()
{
    Command([](CdFeeder& feeder) {
        const CdFeeder::State state = feeder.Snapshot();
        const int track = TrackAt(state, feeder.Heard());
        if (track < static_cast<int>(state.starts.size())) {
            feeder.Seek(state.starts[static_cast<std::size_t>(track)]);
        }
    });
}

void CdAudioDevice::Previous()
{
    Command([](CdFeeder& feeder) {
        const CdFeeder::State state = feeder.Snapshot();
        if (state.starts.empty()) {
            return;
        }
        const long heard = feeder.Heard();
        const int track = TrackAt(state, heard);
        const long start = state.starts[static_cast<std::size_t>(track - 1)];
        // Within a second of a track's start the button goes to the track before.
        feeder.Seek(heard - start < CdDisc::SectorsPerSecond && track > 1
                        ? state.starts[static_cast<std::size_t>(track - 2)]
                        : start);
    });
}

void CdAudioDevice::Eject()
{
    Command([](CdFeeder& feeder) { feeder.Eject(); });
}

void CdAudioDevice::NotifyOnCompletion()
{
    notifyArmed_ = true;
}

std::optional<std::string> CdAudioDevice::OpenDiscImage(const std::string& path)
{
    // Kept by the command itself: the window may stop waiting before the worker is done.
    auto reason = std::make_shared<std::optional<std::string>>();
    if (!Command([reason, path](CdFeeder& feeder) { *reason = feeder.OpenImage(path); })) {
        return "the player did not answer in time";
    }
    return *reason;
}

}  // namespace quillmark
