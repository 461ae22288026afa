// The CD player built for real on a machine without a drive or sound card: it says the drive
// is not ready and that nothing can sound, then plays a disc image of generated tones through
// the libcdio path, silently.

#include "ui/cd_player/cd_player_window.h"
#include "support/fake_services.h"
#include "support/test_helpers.h"
#include "ui/cd_player/cd_audio_device.h"
#include "ui/cd_player/cd_disc.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QLabel>
#include <QMediaDevices>
#include <QPushButton>
#include <QSemaphore>
#include <QtTest>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmark {

class CdPlayerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void WithoutADriveTheDiscImageIsPlayed();
    void AnImageThatWouldBlockOrLieIsRefused();
    void AWorkerThatDoesNotAnswerNeverHoldsTheWindowLong();
};

namespace {

// A CUE sheet and its BIN file: a tone of each frequency for that many seconds, one track each,
// as 44.1 kHz 16-bit stereo.
void WriteToneImage(const std::string& cue, const std::string& bin,
                    const std::vector<std::pair<int, int>>& tones)
{
    std::string samples;
    std::string sheet = "FILE \"tones.bin\" BINARY\r\n";
    long sectors = 0;
    for (std::size_t track = 0; track < tones.size(); ++track) {
        char index[128];
        std::snprintf(index, sizeof index, "  TRACK %02zu AUDIO\r\n    INDEX 01 %02ld:%02ld:00\r\n",
                      track + 1, sectors / 75 / 60, sectors / 75 % 60);
        sheet += index;
        const auto [frequency, seconds] = tones[track];
        for (int i = 0; i < 44100 * seconds; ++i) {
            const auto value =
                static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * frequency * i / 44100.0));
            for (int channel = 0; channel < 2; ++channel) {
                samples += static_cast<char>(value & 0xFF);
                samples += static_cast<char>((value >> 8) & 0xFF);
            }
        }
        sectors += 75L * seconds;
    }
    test::WriteFileBytes(cue, sheet);
    test::WriteFileBytes(bin, samples);
}

}  // namespace

void CdPlayerWindowTest::WithoutADriveTheDiscImageIsPlayed()
{
    const test::TemporaryFolder folder;
    WriteToneImage(folder.File("tones.cue"), folder.File("tones.bin"), {{440, 20}, {660, 5}});
    {
        CdAudioDevice device;
        QCOMPARE(device.Mode(), CdMode::NotReady);
        QCOMPARE(device.OpenDiscImage(folder.File("tones.bin.missing")).has_value(), true);
        QVERIFY(!device.OpenDiscImage(folder.File("tones.cue")));
        QCOMPARE(device.TrackCount(), 2);
        QCOMPARE(device.TrackLength(1), (CdTrackLength{0, 20}));
        QCOMPARE(device.TrackLength(2), (CdTrackLength{0, 5}));
    }

    test::Session session;
    session.Start();
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        // Nothing can sound here: Play says so and the disc stays stopped.
        CdPlayerWindow speakers(session.workspace);
        session.dialogs.ChooseFile(folder.File("tones.cue"));
        speakers.findChild<QAction*>(QStringLiteral("OpenDiscImage"))->trigger();
        QTest::mouseClick(speakers.findChild<QPushButton*>(QStringLiteral("Play")), Qt::LeftButton);
        QCOMPARE(speakers.findChild<QLabel*>(QStringLiteral("CDStatus"))->text(),
                 QStringLiteral(" Stopped"));
        QCOMPARE(speakers.findChild<QLabel*>(QStringLiteral("SoundMessage"))->text(),
                 QStringLiteral("No sound output is available."));
    }

    CdPlayerWindow window(
        session.workspace,
        std::make_unique<CdAudioDevice>(std::chrono::seconds(2), CdAudioDevice::Sound::Silent));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* status = window.findChild<QLabel*>(QStringLiteral("CDStatus"));
    auto* play = window.findChild<QPushButton*>(QStringLiteral("Play"));
    QCOMPARE(status->text(), QStringLiteral(" Not ready"));
    QVERIFY(!play->isEnabled());

    session.dialogs.ChooseFile(folder.File("tones.cue"));
    window.findChild<QAction*>(QStringLiteral("OpenDiscImage"))->trigger();
    QVERIFY(play->isEnabled());
    QTest::mouseClick(play, Qt::LeftButton);
    // Once a second, or later on a busy machine: any time past the start will do.
    QTRY_VERIFY_WITH_TIMEOUT(
        window.findChild<QLabel*>(QStringLiteral("lblTime"))->text() != QStringLiteral("00:00"),
        10000);
    QCOMPARE(status->text(), QStringLiteral(" Playing"));
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblTrack"))->text(), QStringLiteral("1"));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Next")), Qt::LeftButton);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblTrack"))->text(), QStringLiteral("2"));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Stop")), Qt::LeftButton);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblTime"))->text(), QStringLiteral("00:00"));
    QCOMPARE(status->text(), QStringLiteral(" Stopped"));
}

// A FIFO or a device in the place of a file would block the library's open for good, and the
// window with it; an INDEX past the end of its file made one track of months. The library reads
// a sheet's sound from the BIN file named as the sheet is, whatever its FILE line says.
void CdPlayerWindowTest::AnImageThatWouldBlockOrLieIsRefused()
{
    const test::TemporaryFolder folder;
    WriteToneImage(folder.File("tones.cue"), folder.File("tones.bin"), {{440, 20}, {660, 5}});
    QVERIFY(::mkfifo(folder.File("pipe.cue").c_str(), 0600) == 0);
    QVERIFY(::mkfifo(folder.File("stream.bin").c_str(), 0600) == 0);
    std::filesystem::create_directory(folder.File("folder.bin"));
    for (const char* bin : {"named.bin", "far.bin", "end.bin", "bad.bin", "good.bin"}) {
        std::filesystem::create_symlink("tones.bin", folder.File(bin));
    }
    std::filesystem::create_symlink("stream.bin", folder.File("linked.bin"));
    auto sheet = [&](const std::string& name, const std::string& text) {
        test::WriteFileBytes(folder.File(name), text);
        return folder.File(name);
    };
    auto cue = [&](const std::string& name, const std::string& bin, const char* index) {
        return sheet(name, "FILE \"" + bin + "\" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 " +
                               index + "\r\n");
    };
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {folder.File("pipe.cue"), "it is not a regular file"},
        {cue("stream.cue", "stream.bin", "00:00:00"),
         "its BIN file, stream.bin, is not a regular file"},
        {cue("linked.cue", "linked.bin", "00:00:00"),
         "its BIN file, linked.bin, is not a regular file"},
        {cue("folder.cue", "folder.bin", "00:00:00"),
         "its BIN file, folder.bin, is not a regular file"},
        {cue("named.cue", "folder.bin", "00:00:00"),
         "the file it names, folder.bin, is not a regular file"},
        {cue("gone.cue", "gone.bin", "00:00:00"),
         "its BIN file, gone.bin, cannot be read: No such file or directory"},
        {cue("far.cue", "far.bin", "99999999:00:00"),
         "its track 01 starts beyond the end of far.bin"},
        {cue("end.cue", "end.bin", "00:25:00"), "its track 01 starts beyond the end of end.bin"},
        {cue("bad.cue", "bad.bin", "0:x:0"), "its INDEX of track 01 is damaged"},
        {sheet("data.toc", "CD_DA\nTRACK AUDIO\nFILE \"" + folder.File("stream.bin") + "\" 0\n"),
         "the file it names, " + folder.File("stream.bin") + ", is not a regular file"},
        {folder.File("tones.bin"), "it is not a disc image this player can read"},
    };
    for (const auto& c : cases) {
        std::string reason;
        QVERIFY2(CdDisc::OpenImage(c.path, reason) == nullptr, c.path.c_str());
        QCOMPARE(reason, c.reason);
    }
    std::string reason;
    const std::unique_ptr<CdDisc> disc =
        CdDisc::OpenImage(cue("good.cue", "good.bin", "00:20:00"), reason);
    QVERIFY2(disc != nullptr, reason.c_str());
    QCOMPARE(disc->TrackCount(), 1);
    QCOMPARE(disc->TrackSectors(1), 5L * CdDisc::SectorsPerSecond);
}

// A drive that does not answer (spinning up, stuck on a scratch) keeps the worker busy: the
// window's commands, and closing it, wait for it a while and no longer.
void CdPlayerWindowTest::AWorkerThatDoesNotAnswerNeverHoldsTheWindowLong()
{
    const test::TemporaryFolder folder;
    WriteToneImage(folder.File("tones.cue"), folder.File("tones.bin"), {{440, 2}});
    auto stuck = std::make_shared<QSemaphore>();
    auto device = std::make_unique<CdAudioDevice>(std::chrono::milliseconds(200));
    device->OnWorker([stuck] { stuck->acquire(); });
    QElapsedTimer clock;
    clock.start();
    device->Play();
    QCOMPARE(device->OpenDiscImage(folder.File("tones.cue")),
             std::optional<std::string>("the player did not answer in time"));
    device->Stop();
    QCOMPARE(device->Mode(), CdMode::NotReady);
    device.reset();
    QVERIFY2(clock.elapsed() < 2000, std::to_string(clock.elapsed()).c_str());
    stuck->release();
}

}  // namespace quillmark

QTEST_MAIN(quillmark::CdPlayerWindowTest)
#include "cd_player_window_test.moc"
