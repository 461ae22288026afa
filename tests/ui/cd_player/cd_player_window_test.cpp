// The CD player built for real on a machine without a drive or sound card: it says the drive
// is not ready, then plays a disc image of generated tones through the libcdio path.

#include "support/fake_services.h"
#include "support/test_helpers.h"
#include "ui/cd_player/cd_audio_device.h"
#include "ui/cd_player/cd_player_window.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <cmath>
#include <cstdint>

namespace quillmark {

class CdPlayerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void WithoutADriveTheDiscImageIsPlayed();
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
        char index[64];
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
    CdPlayerWindow window(session.workspace);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* status = window.findChild<QLabel*>("CDStatus");
    auto* play = window.findChild<QPushButton*>("Play");
    QCOMPARE(status->text(), QString(" Not ready"));
    QVERIFY(!play->isEnabled());

    session.dialogs.ChooseFile(folder.File("tones.cue"));
    window.findChild<QAction*>("OpenDiscImage")->trigger();
    QVERIFY(play->isEnabled());
    QTest::mouseClick(play, Qt::LeftButton);
    // Once a second, or later on a busy machine: any time past the start will do.
    QTRY_VERIFY_WITH_TIMEOUT(window.findChild<QLabel*>("lblTime")->text() != QString("00:00"),
                             10000);
    QCOMPARE(status->text(), QString(" Playing"));
    QCOMPARE(window.findChild<QLabel*>("lblTrack")->text(), QString("1"));
    QTest::mouseClick(window.findChild<QPushButton*>("Next"), Qt::LeftButton);
    QCOMPARE(window.findChild<QLabel*>("lblTrack")->text(), QString("2"));
    QTest::mouseClick(window.findChild<QPushButton*>("Stop"), Qt::LeftButton);
    QCOMPARE(window.findChild<QLabel*>("lblTime")->text(), QString("00:00"));
    QCOMPARE(status->text(), QString(" Stopped"));
}

}  // namespace quillmark

QTEST_MAIN(quillmark::CdPlayerWindowTest)
#include "cd_player_window_test.moc"
