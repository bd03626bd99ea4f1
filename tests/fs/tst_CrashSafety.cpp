#include "TestFiles.h"

#include "fs/FileOps.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

QByteArray randomBytes(QRandomGenerator& random, qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / qsizetype(sizeof(quint32)));
    return bytes;
}

} // namespace

// A process killed in the middle of a copy or a save must leave every file with its old or
// its new content: the game reads the songs and the next start reads the state.
class TestCrashSafety : public QObject {
    Q_OBJECT

private slots:
    void killedWriterLeavesOldOrNewContent() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QRandomGenerator random(20240601);
        const QByteArray songs[] = {randomBytes(random, 8 << 20), randomBytes(random, 8 << 20)};
        const QByteArray states[] = {QByteArray(200000, 'a'), QByteArray(300000, 'b')};
        const QString songA = dir.filePath("a.mp3"), songB = dir.filePath("b.mp3");
        const QString stateA = dir.filePath("a.txt"), stateB = dir.filePath("b.txt");
        writeFile(songA, songs[0]);
        writeFile(songB, songs[1]);
        writeFile(stateA, states[0]);
        writeFile(stateB, states[1]);
        QDir(dir.path()).mkdir("game");
        const QString dst = dir.filePath("game/song.mp3"), state = dir.filePath("data.txt");
        RealFileOps files;
        QVERIFY(files.copyReplace(songA, dst));
        QVERIFY(files.writeAtomic(state, states[0]));

        int killedBusy = 0;
        for (int run = 0; run < 30; ++run) {
            QProcess helper;
            helper.start(QStringLiteral(TOVIA_FILEOPS_HELPER),
                         {"churn", songA, songB, dst, stateA, stateB, state});
            QVERIFY(helper.waitForStarted());
            // Kill after a random number of rounds, while the next round is under way.
            const int rounds = random.bounded(1, 5);
            for (int seen = 0; seen < rounds;) {
                if (!helper.canReadLine())
                    QVERIFY2(helper.waitForReadyRead(60000), "the helper stopped reporting");
                while (helper.canReadLine() && seen < rounds) {
                    helper.readLine();
                    ++seen;
                }
            }
            QVERIFY(::kill(pid_t(helper.processId()), SIGKILL) == 0);
            QVERIFY(helper.waitForFinished(60000));
            killedBusy += helper.exitStatus() == QProcess::CrashExit ? 1 : 0;

            const QByteArray song = readFile(dst);
            QVERIFY2(song == songs[0] || song == songs[1],
                     qPrintable(QStringLiteral("run %1: song of %2 bytes is neither version")
                                    .arg(run)
                                    .arg(song.size())));
            const QByteArray saved = readFile(state);
            QVERIFY2(saved == states[0] || saved == states[1],
                     qPrintable(QStringLiteral("run %1: state of %2 bytes is neither version")
                                    .arg(run)
                                    .arg(saved.size())));
        }
        QCOMPARE(killedBusy, 30);
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_CrashSafety.moc"
