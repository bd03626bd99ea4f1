// The engine that runs long file work off the window's thread.
#include "FaultyFileOps.h"
#include "ProgramFolder.h"

#include "playlists/FileBatch.h"

#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <numeric>

namespace {

// Counts the progress dialogs that become visible.
class ShowCounter : public QObject {
public:
    ShowCounter() { qApp->installEventFilter(this); }
    ~ShowCounter() override { qApp->removeEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<QProgressDialog*>(watched))
            ++shown;
        return false;
    }
};

} // namespace

class FileBatchTest : public QObject {
    Q_OBJECT

private slots:
    void runsEveryJobInOrderAndReturnsTheFailures();
    void manyJobsFinishingOutOfOrderReportInOrder();
    void aQuickBatchShowsNoDialog();
    void aSlowBatchShowsTheSongWhileTheWindowIgnoresInput();
};

void FileBatchTest::runsEveryJobInOrderAndReturnsTheFailures() {
    QTemporaryDir dir;
    const QString from = dir.path() + QStringLiteral("/from");
    const QString to = dir.path() + QStringLiteral("/to");
    for (const char* name : {"a.mp3", "b.mp3", "d.mp3"})
        ProgramFolder::putSong(from, QString::fromLatin1(name));
    ProgramFolder::putSong(to, QStringLiteral("old.mp3"));
    QList<FileJob> jobs;
    for (const char* name : {"a.mp3", "missing.mp3", "b.mp3", "d.mp3"})
        jobs << FileJob::copy(QString::fromLatin1(name), from + '/' + name, to + '/' + name);
    jobs << FileJob::remove(QStringLiteral("old.mp3"), to + QStringLiteral("/old.mp3"));

    RealFileOps files;
    FileBatch batch(files, nullptr, QStringLiteral("Copying"));
    QList<qsizetype> order;
    QList<bool> outcomes;
    batch.setDoneHandler([&](qsizetype index, const FileResult& result) {
        order << index;
        outcomes << result.ok;
    });
    const QList<Failure> failures = batch.run(jobs);

    QCOMPARE(order, (QList<qsizetype>{0, 1, 2, 3, 4}));
    QCOMPARE(outcomes, (QList<bool>{true, false, true, true, true}));
    QCOMPARE(failures.size(), 1);
    QCOMPARE(failures.first().name, QStringLiteral("missing.mp3"));
    QVERIFY(failures.first().reason.contains(QStringLiteral("No such file or directory")));
    QCOMPARE(ProgramFolder::filesIn(to), (QStringList{"a.mp3", "b.mp3", "d.mp3"}));
}

// A long batch runs on two workers; whichever finishes first, the results, the done handler
// and the failures keep the order of the jobs.
void FileBatchTest::manyJobsFinishingOutOfOrderReportInOrder() {
    if (QThread::idealThreadCount() < 2)
        QSKIP("one core: the batch runs on one worker");
    QTemporaryDir dir;
    const QString from = dir.path() + QStringLiteral("/from");
    const QString to = dir.path() + QStringLiteral("/to");
    QList<FileJob> jobs;
    QStringList copied;
    for (int i = 0; i < 40; ++i) {
        const QString name = QStringLiteral("song %1.mp3").arg(i, 2, 10, QLatin1Char('0'));
        if (i != 7 && i != 30) {
            ProgramFolder::putSong(from, name);
            copied << name;
        }
        jobs << FileJob::copy(name, from + '/' + name, to + '/' + name);
    }
    QVERIFY(QDir().mkpath(to));

    // The first copy waits until another worker has moved on to the third job, so the second
    // job finishes first.
    QSemaphore thirdStarted;
    bool overtaken = false;
    FaultyFileOps files;
    files.allowedRoots = {dir.path()};
    files.fault = [&](const QString&, const QString& path) {
        if (path.endsWith(QStringLiteral("song 00.mp3")))
            overtaken = thirdStarted.tryAcquire(1, 10000); // gives up rather than hang
        if (path.endsWith(QStringLiteral("song 02.mp3")))
            thirdStarted.release();
        return QString();
    };
    FileBatch batch(files, nullptr, QStringLiteral("Copying"));
    QList<qsizetype> order;
    batch.setDoneHandler([&](qsizetype index, const FileResult&) { order << index; });
    const QList<Failure> failures = batch.run(jobs);

    QVERIFY(overtaken);
    QList<qsizetype> expected(40);
    std::iota(expected.begin(), expected.end(), 0);
    QCOMPARE(order, expected);
    QCOMPARE(failures.size(), 2);
    QCOMPARE(failures.at(0).name, QStringLiteral("song 07.mp3"));
    QCOMPARE(failures.at(1).name, QStringLiteral("song 30.mp3"));
    QCOMPARE(ProgramFolder::filesIn(to), copied);
}

void FileBatchTest::aQuickBatchShowsNoDialog() {
    QTemporaryDir dir;
    ProgramFolder::putSong(dir.path(), QStringLiteral("a.mp3"));
    QWidget window;
    window.show();
    const ShowCounter counter;
    RealFileOps files;
    FileBatch batch(files, &window, QStringLiteral("Copying"));
    const QString source = dir.path() + QStringLiteral("/a.mp3");
    QVERIFY(batch.run({FileJob::copy("a.mp3", source, dir.path() + "/b.mp3")}).isEmpty());
    QCOMPARE(counter.shown, 0);
}

void FileBatchTest::aSlowBatchShowsTheSongWhileTheWindowIgnoresInput() {
    QTemporaryDir dir;
    ProgramFolder::putSong(dir.path(), QStringLiteral("slow.mp3"));
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("Other work"), &window);
    int clicks = 0;
    connect(button, &QPushButton::clicked, [&] { ++clicks; });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks, 1); // the click does reach the button outside a batch
    clicks = 0;

    // The copy waits until the test has seen the dialog, however long that takes.
    QSemaphore release;
    FaultyFileOps files;
    files.allowedRoots = {dir.path()};
    files.fault = [&release](const QString&, const QString&) {
        release.acquire();
        return QString();
    };

    bool sawDialog = false;
    QString label;
    bool modal = false;
    bool anyButton = true;
    int ticks = 0;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
        // Before the dialog shows, only the batch keeps the window from taking the click.
        if (++ticks == 1)
            QTest::mouseClick(button, Qt::LeftButton);
        auto* dialog = window.findChild<QProgressDialog*>();
        if (dialog && dialog->isVisible() && !sawDialog) {
            sawDialog = true;
            label = dialog->findChild<QLabel*>()->text();
            modal = dialog->isModal();
            anyButton = dialog->findChild<QPushButton*>() != nullptr;
            QTest::mouseClick(button, Qt::LeftButton);
        }
        // Give up after a long while rather than hang: the checks below then fail.
        if (sawDialog || ticks > 500) {
            watch.stop();
            release.release();
        }
    });
    watch.start(20);

    FileBatch batch(files, &window, QStringLiteral("Copying"));
    const QList<Failure> failures =
        batch.run({FileJob::copy("slow.mp3", dir.path() + "/slow.mp3", dir.path() + "/copy.mp3")});

    QVERIFY(failures.isEmpty());
    QVERIFY(sawDialog); // the window's events went on while the copy waited
    QVERIFY2(label.contains(QStringLiteral("slow.mp3")), qPrintable(label));
    QVERIFY(modal);
    QVERIFY(!anyButton);
    QCOMPARE(clicks, 0);
    QVERIFY(QFileInfo::exists(dir.path() + QStringLiteral("/copy.mp3")));
    QCOMPARE(window.findChild<QProgressDialog*>(), nullptr);
}

QTEST_MAIN(FileBatchTest)
#include "tst_FileBatch.moc"
