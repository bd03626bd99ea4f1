#include "widgets/CaptionLabel.h"
#include "widgets/DriveList.h"
#include "widgets/PageFrame.h"
#include "widgets/PictureBox.h"
#include "widgets/PreviewPlayer.h"

#include <QApplication>
#include <QAudioOutput>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString dataDir = QStringLiteral(TOVIA_TEST_DATA);

// Whether this process holds a descriptor open on path.
bool isOpenHere(const QString& path) {
    const QString target = QFileInfo(path).canonicalFilePath();
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd :
         fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (QFile::symLinkTarget(fds.filePath(fd)) == target)
            return true;
    }
    return false;
}

bool anyDialogShown() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && qobject_cast<QDialog*>(widget))
            return true;
    }
    return QApplication::activeModalWidget() != nullptr;
}

} // namespace

class TestControls : public QObject {
    Q_OBJECT

private slots:
    void mouseMovesReachOnlyTheControlUnderneath();
    void pictureBoxClicksAndStretch();
    void captionLabelSizesAndPaints();
    void previewPlaysToTheEnd();
    void previewReleasesTheFile();
    void previewLoadsOnlyTheLastOfQuickPicks();
    void previewReportsBadFilesQuietly();
    void driveListReportsOnlyUserChoices();
};

void TestControls::mouseMovesReachOnlyTheControlUnderneath() {
    PageFrame window;
    window.resize(300, 200);
    auto* inner = new PageFrame(&window);
    inner->setGeometry(150, 0, 150, 200);
    auto* plainLabel = new QLabel(QStringLiteral("plain"), inner); // no mouse tracking
    plainLabel->setGeometry(50, 50, 60, 40);
    auto* caption = new CaptionLabel(&window);
    caption->setGeometry(10, 150, 60, 20);
    auto* picture = new PictureBox(&window);
    picture->setGeometry(80, 150, 40, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy outerMoves(&window, &PageFrame::mouseMoved);
    QSignalSpy innerMoves(inner, &PageFrame::mouseMoved);
    QSignalSpy captionMoves(caption, &CaptionLabel::mouseMoved);
    QSignalSpy pictureMoves(picture, &PictureBox::mouseMoved);

    QTest::mouseMove(window.windowHandle(), QPoint(20, 20));
    QCOMPARE(outerMoves.count(), 1);
    QCOMPARE(innerMoves.count(), 0);

    QTest::mouseMove(window.windowHandle(), QPoint(170, 20));
    QCOMPARE(innerMoves.count(), 1);
    QCOMPARE(outerMoves.count(), 1); // the inner frame kept the move to itself

    // A drag over the plain label: the label ignores the moves, so Qt hands them to its parent
    // frames, which must neither count them nor pass them further up.
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, QPoint(220, 70));
    QTest::mouseMove(window.windowHandle(), QPoint(225, 75));
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, QPoint(225, 75));
    QCOMPARE(innerMoves.count(), 1);
    QCOMPARE(outerMoves.count(), 1);

    QTest::mouseMove(window.windowHandle(), QPoint(20, 160));
    QCOMPARE(captionMoves.count(), 1);
    QTest::mouseMove(window.windowHandle(), QPoint(100, 170));
    QCOMPARE(pictureMoves.count(), 1);
    QCOMPARE(outerMoves.count(), 1);

    QTest::mouseMove(window.windowHandle(), QPoint(20, 30));
    QCOMPARE(outerMoves.count(), 2);
}

void TestControls::pictureBoxClicksAndStretch() {
    PictureBox box;
    box.resize(100, 100);
    QPixmap red(10, 10);
    red.fill(Qt::red);
    box.setPicture(red, true);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.grab().toImage().pixelColor(90, 90), QColor(Qt::red));

    box.setPicture(red, false);
    const QImage natural = box.grab().toImage();
    QCOMPARE(natural.pixelColor(5, 5), QColor(Qt::red));
    QVERIFY(natural.pixelColor(90, 90) != QColor(Qt::red));

    QSignalSpy clicks(&box, &PictureBox::clicked);
    QSignalSpy doubleClicks(&box, &PictureBox::doubleClicked);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(clicks.count(), 1);
    QTest::mouseClick(&box, Qt::RightButton, {}, QPoint(50, 50));
    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(150, 50)); // dragged off first
    QCOMPARE(clicks.count(), 1);
    QTest::mouseDClick(&box, Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(doubleClicks.count(), 1);
}

void TestControls::captionLabelSizesAndPaints() {
    QWidget backdrop;
    backdrop.resize(400, 60);
    QPalette green = backdrop.palette();
    green.setColor(QPalette::Window, Qt::green);
    backdrop.setPalette(green);
    backdrop.setAutoFillBackground(true);
    auto* label = new CaptionLabel(&backdrop);
    label->setGeometry(30, 5, 50, 40);
    const QString shortText = QStringLiteral("Hi");
    const QString longText = QStringLiteral("A much longer caption than before");

    label->setSizedToText(true);
    label->setCaption(shortText);
    const int shortWidth = label->width();
    QVERIFY(shortWidth >= label->fontMetrics().horizontalAdvance(shortText));
    label->setCaption(longText);
    QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(longText));
    QVERIFY(label->width() > shortWidth);
    QCOMPARE(label->x(), 30);
    label->setCaption(shortText);
    QCOMPARE(label->width(), shortWidth);
    label->setSizedToText(false);
    label->setCaption(longText);
    QCOMPARE(label->width(), shortWidth);

    backdrop.show();
    QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
    const QPoint corner(31, 6); // inside the label, clear of the vertically centred text
    QCOMPARE(backdrop.grab().toImage().pixelColor(corner), QColor(Qt::green));
    label->setBackgroundColor(Qt::blue);
    QCOMPARE(backdrop.grab().toImage().pixelColor(corner), QColor(Qt::blue));

    QSignalSpy clicks(label, &CaptionLabel::clicked);
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicks.count(), 1);
}

void TestControls::previewPlaysToTheEnd() {
    PreviewPlayer player;
    QCOMPARE(player.size(), QSize(224, 45));
    QCOMPARE(player.mediaPlayer()->audioOutput()->volume(), 0.5f);

    player.setUrl(dataDir + "/tone-a.mp3");
    QCOMPARE(player.url(), dataDir + "/tone-a.mp3");
    QTRY_COMPARE_WITH_TIMEOUT(player.mediaPlayer()->mediaStatus(), QMediaPlayer::EndOfMedia, 10000);
    QVERIFY(player.notice().isEmpty());

    // play() starts the loaded song again.
    QSignalSpy states(player.mediaPlayer(), &QMediaPlayer::playbackStateChanged);
    player.play();
    QTRY_VERIFY(states.contains(QVariantList{QVariant::fromValue(QMediaPlayer::PlayingState)}));
    QTRY_COMPARE_WITH_TIMEOUT(player.mediaPlayer()->mediaStatus(), QMediaPlayer::EndOfMedia, 10000);
}

void TestControls::previewReleasesTheFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString song = dir.filePath("song.mp3");
    QVERIFY(QFile::copy(dataDir + "/tone-b.mp3", song));
    PreviewPlayer player;

    player.setUrl(song);
    QTRY_VERIFY_WITH_TIMEOUT(isOpenHere(song), 10000);
    player.setUrl("");
    QCOMPARE(player.url(), QString());
    QTRY_VERIFY(!isOpenHere(song));
    QCOMPARE(player.mediaPlayer()->playbackState(), QMediaPlayer::StoppedState);
}

void TestControls::previewLoadsOnlyTheLastOfQuickPicks() {
    PreviewPlayer player;
    QSignalSpy sources(player.mediaPlayer(), &QMediaPlayer::sourceChanged);
    const QString first = dataDir + "/tone-a.mp3";
    const QString last = dataDir + "/tone-c.mp3";
    player.setUrl(first);
    QCOMPARE(player.mediaPlayer()->mediaStatus(), QMediaPlayer::LoadingMedia);
    player.setUrl(dataDir + "/tone-b.mp3");
    player.setUrl(last);
    QCOMPARE(player.url(), last);
    QTRY_COMPARE_WITH_TIMEOUT(player.mediaPlayer()->source(), QUrl::fromLocalFile(last), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(player.mediaPlayer()->mediaStatus(), QMediaPlayer::EndOfMedia, 10000);
    QCOMPARE(sources.count(), 2); // the song in the middle was never loaded
    QVERIFY(player.notice().isEmpty());

    // Letting go of the file does not wait.
    player.setUrl(first);
    player.setUrl(last);
    player.setUrl("");
    QVERIFY(player.mediaPlayer()->source().isEmpty());
    QTRY_VERIFY(player.mediaPlayer()->mediaStatus() == QMediaPlayer::NoMedia);
    QVERIFY(player.mediaPlayer()->source().isEmpty());
}

void TestControls::previewReportsBadFilesQuietly() {
    PreviewPlayer player;
    player.show();
    QVERIFY(QTest::qWaitForWindowExposed(&player));

    player.setUrl(dataDir + "/broken.mp3");
    QTRY_VERIFY_WITH_TIMEOUT(!player.notice().isEmpty(), 10000);
    QVERIFY(!anyDialogShown());

    player.setUrl(dataDir + "/tone-c.mp3");
    QVERIFY(player.notice().isEmpty()); // a new song starts with a clean bar
    QTRY_COMPARE_WITH_TIMEOUT(player.mediaPlayer()->mediaStatus(), QMediaPlayer::EndOfMedia, 10000);
    QVERIFY(player.notice().isEmpty());

    player.setUrl(dataDir + "/no-such-song.mp3");
    QTRY_VERIFY_WITH_TIMEOUT(!player.notice().isEmpty(), 10000);
    QVERIFY(!anyDialogShown());
}

void TestControls::driveListReportsOnlyUserChoices() {
    DriveList drives;
    drives.setDrives({"/", "/media/a", "/media/b"});
    QSignalSpy changes(&drives, &DriveList::driveChanged);
    drives.setDrive("/media/a");
    QCOMPARE(drives.drive(), QString("/media/a"));
    drives.setDrive("/not/mounted");
    QCOMPARE(drives.drive(), QString("/media/a"));
    QCOMPARE(changes.count(), 0);

    drives.setDrives({"/media/b", "/media/a"}); // a refill keeps the chosen drive
    QCOMPARE(drives.drive(), QString("/media/a"));
    QCOMPARE(changes.count(), 0);

    drives.show();
    QVERIFY(QTest::qWaitForWindowExposed(&drives));
    drives.setFocus();
    QTest::keyClick(&drives, Qt::Key_Up);
    QCOMPARE(drives.drive(), QString("/media/b"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(0).toString(), QString("/media/b"));
}

QTEST_MAIN(TestControls)
#include "tst_Controls.moc"
