#include "fs/DeletionGuard.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The guard stands between a user's settings and a recursive delete; every case here is a
// folder the program must never lose, or one it must be able to delete.
class TestDeletionGuard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        const QString root = m_dir.path();
        m_home = root + "/home/kim";
        m_program = root + "/opt/tovia";
        m_music = m_home + "/Documents/Quillon Interactive/The Tovia 3/Custom Music";
        for (const QString& folder :
             {m_music, m_program + "/Library", m_program + "/Playlists/Rock", m_program + "/Other",
              root + "/crowded/sub"})
            QVERIFY(QDir().mkpath(folder));
        QFile file(root + "/file.mp3");
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(m_home, root + "/tohome"));
        QVERIFY(QFile::link(root + "/home", root + "/homes"));
        QVERIFY(QFile::link(m_program + "/Library", root + "/tolibrary"));
        QVERIFY(QFile::link(m_program, root + "/toprogram"));
        QVERIFY(QFile::link(root + "/opt", m_home + "/Documents/opt-link"));
        QVERIFY(QFile::link(m_program + "/Library", root + "/crowded/lib"));

        m_guard.homeFolder = m_home;
        m_guard.programFolder = m_program;
        m_guard.keptFolders = {m_program + "/Library/", m_program + "/Playlists/"};
        m_guard.playlistsFolder = m_program + "/Playlists/";
    }

    void refusal_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("allowSubfolders");
        QTest::addColumn<bool>("allowed");
        const QString root = m_dir.path();

        QTest::newRow("empty") << "" << true << false;
        QTest::newRow("relative") << "Custom Music" << true << false;
        QTest::newRow("relative, as Qt's resources are spelled") << ":music" << true << false;
        QTest::newRow("file system root") << "/" << true << false;
        QTest::newRow("root spelled oddly") << "//./" << true << false;
        QTest::newRow("root through dot-dots") << root + "/../../../../.." << true << false;
        QTest::newRow("home") << m_home << true << false;
        QTest::newRow("home with slash") << m_home + "/" << true << false;
        QTest::newRow("home through dot-dot") << m_music + "/../../../.." << true << false;
        QTest::newRow("above home") << root + "/home" << true << false;
        QTest::newRow("program folder") << m_program << true << false;
        QTest::newRow("above program folder") << root + "/opt" << true << false;
        QTest::newRow("library") << m_program + "/Library" << true << false;
        QTest::newRow("playlists") << m_program + "/Playlists/" << true << false;
        QTest::newRow("other folder in program") << m_program + "/Other" << true << false;
        QTest::newRow("inside a playlist") << m_program + "/Playlists/Rock/x" << true << false;
        QTest::newRow("folder in the library") << m_program + "/Library/x" << true << false;
        QTest::newRow("above the root") << "//mp/../../" << true << false;
        QTest::newRow("far above the root") << "/../../.." << true << false;
        QTest::newRow("music folder below a dot-dot") << "/../" + m_music.mid(1) << false << true;
        QTest::newRow("playlist folder") << m_program + "/Playlists/Rock" << true << true;
        QTest::newRow("new playlist folder") << m_program + "/Playlists/Jazz" << true << true;
        QTest::newRow("music folder") << m_music << false << true;
        QTest::newRow("music folder with subfolder") << root + "/crowded" << false << false;
        QTest::newRow("folder with subfolder allowed") << root + "/crowded" << true << true;
        QTest::newRow("missing music folder") << root + "/none/Custom Music" << false << true;
        QTest::newRow("a file") << root + "/file.mp3" << true << false;
        QTest::newRow("link to home") << root + "/tohome" << true << false;
        QTest::newRow("through a linked parent") << root + "/homes/kim" << true << false;
        QTest::newRow("link to library") << root + "/tolibrary" << true << false;
        QTest::newRow("link above program")
            << m_home + "/Documents/opt-link/tovia/" << true << false;
        QTest::newRow("missing below a link")
            << m_home + "/Documents/opt-link/tovia/Other/new" << true << false;
        // The kernel resolves the link before "..": this is the program's Other folder.
        QTest::newRow("dot-dot after a link") << root + "/crowded/lib/../Other" << true << false;
    }
    void refusal() {
        QFETCH(QString, path);
        QFETCH(bool, allowSubfolders);
        QFETCH(bool, allowed);
        const QString why = m_guard.refusal(path, allowSubfolders);
        QVERIFY2(why.isEmpty() == allowed, qPrintable(why.isEmpty() ? "allowed" : why));
    }

    void guardFoldersGivenThroughLinks() {
        // The guard's own folders may be spelled through a link; the real folder is kept.
        DeletionGuard guard;
        guard.homeFolder = m_dir.path() + "/homes/kim";
        guard.programFolder = m_dir.path() + "/toprogram";
        QVERIFY(!guard.refusal(m_home).isEmpty());
        QVERIFY(!guard.refusal(m_program).isEmpty());
        QVERIFY(!guard.refusal(m_program + "/Other").isEmpty());
        QVERIFY(guard.refusal(m_music).isEmpty());
    }

private:
    QTemporaryDir m_dir;
    DeletionGuard m_guard;
    QString m_home;
    QString m_program;
    QString m_music;
};

QTEST_GUILESS_MAIN(TestDeletionGuard)
#include "tst_DeletionGuard.moc"
