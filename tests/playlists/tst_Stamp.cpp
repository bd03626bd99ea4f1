// The date-time stamp written when a playlist is set, in the system locale this run sets.
#include "TestApp.h"

#include "playlists/SetGamePlaylist.h"
#include "widgets/ListBox.h"

#include <QApplication>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QTest>

class StampTest : public QObject {
    Q_OBJECT

private slots:
    void lineTwoIsTheShortDateAndTheTimeWithSeconds();
};

void StampTest::lineTwoIsTheShortDateAndTheTimeWithSeconds() {
    QTemporaryDir music;
    TestApp app;
    app.folder.writeState(QString(), QStringLiteral("earlier"), music.path() + "/Custom Music");
    app.folder.addPlaylist(QStringLiteral("Rock"));
    app.start();
    app.form().List1->selectRow(0);
    const QDateTime before = QDateTime::currentDateTime().addMSecs(-1000);
    SetGamePlaylist(app.form());
    const QDateTime after = QDateTime::currentDateTime();
    const QString stamp = app.folder.stateLines().value(1);

    // Read back by hand, in the form each locale is known to take.
    const QString locale = QStringLiteral(TOVIA_STAMP_LOCALE).section(QLatin1Char('.'), 0, 0);
    QDate date;
    QTime time;
    if (locale == QLatin1String("de_DE")) {
        static const QRegularExpression form(
            QStringLiteral("^(\\d\\d)\\.(\\d\\d)\\.(\\d\\d) (\\d\\d):(\\d\\d):(\\d\\d)$"));
        const QRegularExpressionMatch m = form.match(stamp);
        QVERIFY2(m.hasMatch(), qPrintable(stamp));
        date = QDate(2000 + m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
        time = QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    } else {
        static const QRegularExpression form(QStringLiteral(
            "^(\\d{1,2})/(\\d{1,2})/(\\d\\d) (\\d{1,2}):(\\d\\d):(\\d\\d)\\s(AM|PM)$"));
        const QRegularExpressionMatch m = form.match(stamp);
        QVERIFY2(m.hasMatch(), qPrintable(stamp));
        date = QDate(2000 + m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
        const int hour = m.captured(4).toInt() % 12 + (m.captured(7) == "PM" ? 12 : 0);
        time = QTime(hour, m.captured(5).toInt(), m.captured(6).toInt());
    }
    const QDateTime read(date, time);
    QVERIFY2(read >= before && read <= after, qPrintable(stamp));
    QCOMPARE(app.form().LastUpdated, stamp);
}

int main(int argc, char** argv) {
    // QLocale::system() is taken from the environment once, when first used.
    qputenv("LC_ALL", TOVIA_STAMP_LOCALE);
    QApplication app(argc, argv);
    StampTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Stamp.moc"
