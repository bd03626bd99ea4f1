// Starting the game: the window goes first, the fixed path reaches Wine as one argument, and a
// failed start is reported once before the program ends.
#include "TestApp.h"

#include "app/Startup.h"
#include "game/GameLaunch.h"
#include "platform/SystemPlatform.h"
#include "widgets/PictureBox.h"

#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString gamePath =
    QStringLiteral("C:\\Program Files\\Quillon Interactive\\The Tovia 3\\Game\\Bin\\TV3.exe");

// Notes whether the window was still showing when the game was started.
class WatchingPlatform : public FakePlatform {
public:
    QWidget* window = nullptr;
    QList<bool> visibleAtStart;
    bool startDetached(const QString& program, const QStringList& arguments,
                       QString* error) override {
        visibleAtStart << window->isVisible();
        return FakePlatform::startDetached(program, arguments, error);
    }
};

// The window and its services as main() puts them together, over a temporary program folder.
template <typename PlatformType> struct Program {
    ProgramFolder folder;
    PlatformType platform;
    ScriptedPrompter prompter;
    RealFileOps files;
    MainWindow window{folder.path(), platform, prompter, files};
    // Closing the window is what ends the program.
    QSignalSpy closed{&window, &MainWindow::closed};

    void start() {
        folder.writeState(QStringLiteral("Rock"), QStringLiteral("7/16/2009 3:25:07 PM"),
                          QStringLiteral("/home/anna/Music"));
        Form& f = window.form();
        wireEvents(window, [&f](Action action) { runAction(f, action); });
        Form_Load(f);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    // While the report is open the program must not have been told to end, or the report
    // would vanish with it.
    void watchReports() {
        prompter.whileOpen = [this](const ScriptedPrompter::Box&) {
            QVERIFY(!window.isVisible());
            QCOMPARE(closed.count(), 0);
        };
    }
};

// PATH for the length of a test.
class PathOverride {
public:
    explicit PathOverride(const QString& path)
        : m_saved(qgetenv("PATH")) {
        qputenv("PATH", QFile::encodeName(path));
    }
    ~PathOverride() { qputenv("PATH", m_saved); }

private:
    QByteArray m_saved;
};

} // namespace

class GameLaunchTest : public QObject {
    Q_OBJECT

private slots:
    void eitherPictureClosesTheWindowThenStartsTheGame_data();
    void eitherPictureClosesTheWindowThenStartsTheGame();
    void aFailedStartIsReportedOnceBeforeTheEnd();
    void wineReceivesThePathAsOneArgument();
    void withoutWineTheReportNamesThePath();
};

void GameLaunchTest::eitherPictureClosesTheWindowThenStartsTheGame_data() {
    QTest::addColumn<bool>("highlighted");
    QTest::newRow("startgame") << false;
    QTest::newRow("startgame2") << true;
}

void GameLaunchTest::eitherPictureClosesTheWindowThenStartsTheGame() {
    QFETCH(bool, highlighted);
    Program<WatchingPlatform> program;
    program.platform.window = &program.window;
    program.start();
    Form& f = program.window.form();
    const QByteArray state = program.folder.stateBytes();

    emit(highlighted ? f.startgame2 : f.startgame)->clicked();

    QCOMPARE(program.platform.starts.size(), 1);
    QCOMPARE(program.platform.starts.first().program, QStringLiteral("wine"));
    QCOMPARE(program.platform.starts.first().arguments, QStringList{gamePath});
    QCOMPARE(program.platform.visibleAtStart, QList<bool>{false});
    QVERIFY(!program.window.isVisible());
    QCOMPARE(program.closed.count(), 1);
    QVERIFY(program.prompter.boxes.isEmpty());
    QCOMPARE(program.folder.stateBytes(), state); // nothing is saved on the way out
}

void GameLaunchTest::aFailedStartIsReportedOnceBeforeTheEnd() {
    Program<WatchingPlatform> program;
    program.platform.window = &program.window;
    program.platform.startSucceeds = false;
    program.start();
    program.watchReports();

    emit program.window.form().startgame->clicked();

    QCOMPARE(program.platform.visibleAtStart, QList<bool>{false});
    QCOMPARE(program.prompter.boxes.size(), 1);
    const ScriptedPrompter::Box& report = program.prompter.boxes.first();
    QVERIFY(!report.question);
    QCOMPARE(report.icon, Prompter::Icon::Exclamation);
    QVERIFY2(report.text.contains(gamePath), qPrintable(report.text));
    QVERIFY2(report.text.contains(QStringLiteral("No such file or directory")),
             qPrintable(report.text));
    QCOMPARE(program.closed.count(), 1);
}

void GameLaunchTest::wineReceivesThePathAsOneArgument() {
    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    const QString received = bin.filePath(QStringLiteral("received.txt"));
    const QString done = bin.filePath(QStringLiteral("done"));
    // Shell built-ins only: PATH holds nothing but this folder.
    QFile wine(bin.filePath(QStringLiteral("wine")));
    QVERIFY(wine.open(QIODevice::WriteOnly));
    wine.write(QStringLiteral("#!/bin/sh\n"
                              "{ printf '%s\\n' \"$#\"; printf '[%s]\\n' \"$@\"; } > '%1'\n"
                              ": > '%2'\n")
                   .arg(received, done)
                   .toUtf8());
    wine.close();
    QVERIFY(wine.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    PathOverride path(bin.path());

    Program<SystemPlatform> program;
    program.start();
    program.watchReports();
    StartGame(program.window.form());

    QVERIFY(!program.window.isVisible());
    QCOMPARE(program.closed.count(), 1);
    QTRY_VERIFY(QFile::exists(done));
    QFile arguments(received);
    QVERIFY(arguments.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(arguments.readAll()), QStringLiteral("1\n[%1]\n").arg(gamePath));
    QVERIFY(program.prompter.boxes.isEmpty());
}

void GameLaunchTest::withoutWineTheReportNamesThePath() {
    QTemporaryDir emptyBin;
    QVERIFY(emptyBin.isValid());
    PathOverride path(emptyBin.path());

    Program<SystemPlatform> program;
    program.start();
    program.watchReports();
    StartGame(program.window.form());

    QCOMPARE(program.prompter.boxes.size(), 1);
    const ScriptedPrompter::Box& report = program.prompter.boxes.first();
    QVERIFY(!report.question);
    QCOMPARE(report.icon, Prompter::Icon::Exclamation);
    QVERIFY2(report.text.contains(QLatin1Char('\'') + gamePath + QLatin1Char('\'')),
             qPrintable(report.text));
    QVERIFY(!program.window.isVisible());
    QCOMPARE(program.closed.count(), 1);
}

QTEST_MAIN(GameLaunchTest)
#include "tst_GameLaunch.moc"
