#include "platform/notificationsound.h"

#include <QtTest>

#include <cmath>

class NotificationSoundTest : public QObject
{
    Q_OBJECT

private slots:
    void testChimeIsAPlayableShortPcmWave()
    {
        QFile file(NotificationSound::source());
        QVERIFY2(file.open(QIODevice::ReadOnly), "the sound is not in the resources");
        const QByteArray wav = file.readAll();
        QVERIFY(wav.size() > 44);
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
        auto le16 = [&](int at) { return quint16(uchar(wav[at]) | uchar(wav[at + 1]) << 8); };
        auto le32 = [&](int at) { return quint32(le16(at) | quint32(le16(at + 2)) << 16); };
        QCOMPARE(le16(20), quint16(1)); // PCM
        const int channels = le16(22);
        const quint32 rate = le32(24);
        const int bits = le16(34);
        QCOMPARE(bits, 16);
        QVERIFY(rate >= 22050);
        QCOMPARE(wav.mid(36, 4), QByteArray("data"));
        const quint32 dataBytes = le32(40);
        QCOMPARE(qsizetype(dataBytes), wav.size() - 44);

        const qsizetype samples = dataBytes / 2;
        const double seconds = double(samples) / channels / rate;
        QVERIFY2(seconds > 0.2 && seconds < 2.0, qPrintable(QString::number(seconds)));
        const auto *pcm = reinterpret_cast<const qint16 *>(wav.constData() + 44);
        int peak = 0;
        for (qsizetype i = 0; i < samples; ++i)
            peak = qMax(peak, std::abs(int(pcm[i])));
        QVERIFY2(peak > 8000, "the chime is nearly silent");
        QVERIFY2(peak < 32767, "the chime clips");
        // Starting and ending on silence avoids clicks.
        QVERIFY(std::abs(int(pcm[0])) < 500);
        QVERIFY(std::abs(int(pcm[samples - 1])) < 500);
    }

    void testChimeLoadsFromTheLibraryResources()
    {
        // The resource lives in a static library and is linked only when asked for by name.
        NotificationSound sound;
        QVERIFY(!sound.isLoaded());
        sound.play();
        QTRY_VERIFY(sound.isLoaded());
    }

    void testMissingSoundLibraryStaysSilentWithOneWarning()
    {
        QTemporaryDir dir;
        NotificationSound sound(dir.filePath("libkestovansound.so"), nullptr);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^The notification sound cannot be played: .*libkestovansound\\.so"));
        sound.play();
        QVERIFY(!sound.isLoaded());
        // Tried once: later chimes neither warn again nor crash.
        QTest::failOnWarning(QRegularExpression("."));
        sound.play();
        QVERIFY(!sound.isLoaded());
    }
};

QTEST_MAIN(NotificationSoundTest)
#include "tst_notificationsound.moc"
