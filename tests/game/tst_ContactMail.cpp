// The contact mail: blank addresses open nothing, any other address goes into the link exactly
// as given, and the welcome page's label mails the address it shows.
#include "TestApp.h"

#include "form/Contact.h"
#include "game/ContactMail.h"
#include "widgets/CaptionLabel.h"

#include <QTest>

namespace {

const QString subject =
    QStringLiteral("?subject=Comments or Questions for The Tovi 3 Music Manager");

} // namespace

class ContactMailTest : public QObject {
    Q_OBJECT

private slots:
    void blankAddressesOpenNothing_data();
    void blankAddressesOpenNothing();
    void theAddressGoesInAsGiven_data();
    void theAddressGoesInAsGiven();
    void theContactLabelMailsTheAddressItShows();
};

void ContactMailTest::blankAddressesOpenNothing_data() {
    QTest::addColumn<QString>("address");
    QTest::newRow("empty") << QString();
    QTest::newRow("two spaces") << QStringLiteral("  ");
}

void ContactMailTest::blankAddressesOpenNothing() {
    QFETCH(QString, address);
    TestApp app;
    app.folder.writeState(QString(), QStringLiteral("7/16/2009 3:25:07 PM"), QString());
    app.start();

    QCOMPARE(EmailMessage(app.form(), address), 0);
    QVERIFY(app.platform.openedUrls.isEmpty());
    QVERIFY(app.prompter.boxes.isEmpty());
}

void ContactMailTest::theAddressGoesInAsGiven_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("taken");
    QTest::newRow("plain") << QStringLiteral("kim@example.org") << true;
    QTest::newRow("surrounding spaces") << QStringLiteral("  kim@example.org ") << true;
    // No mail program: the answer says so, and nothing is reported.
    QTest::newRow("not taken") << QStringLiteral("kim@example.org") << false;
}

void ContactMailTest::theAddressGoesInAsGiven() {
    QFETCH(QString, address);
    QFETCH(bool, taken);
    TestApp app;
    app.folder.writeState(QString(), QStringLiteral("7/16/2009 3:25:07 PM"), QString());
    app.platform.openSucceeds = taken;
    app.start();

    QCOMPARE(EmailMessage(app.form(), address), taken ? 1 : -1);
    QCOMPARE(app.platform.openedUrls.size(), 1);
    const QUrl link = app.platform.openedUrls.first();
    QCOMPARE(link.scheme(), QStringLiteral("mailto"));
    QCOMPARE(link.path(), address); // untrimmed
    QCOMPARE(link.toString(), QStringLiteral("mailto:") + address + subject);
    // What the mail program receives: the same text with only its spaces escaped.
    QString escaped = QStringLiteral("mailto:") + address + subject;
    QCOMPARE(link.toEncoded(), escaped.replace(QLatin1Char(' '), QStringLiteral("%20")).toUtf8());
    QVERIFY(app.prompter.boxes.isEmpty());
}

void ContactMailTest::theContactLabelMailsTheAddressItShows() {
    TestApp app;
    app.folder.writeState(QString(), QStringLiteral("7/16/2009 3:25:07 PM"), QString());
    app.start();
    app.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(app.window.get()));
    CaptionLabel* label = app.form().sidelables[35];
    QCOMPARE(label->text(), QString::fromLatin1(Contact::address));
    QVERIFY(label->isVisible());

    QTest::mouseClick(label, Qt::LeftButton);

    QCOMPARE(app.platform.openedUrls.size(), 1);
    QCOMPARE(app.platform.openedUrls.first().toString(),
             QStringLiteral("mailto:") + label->text() + subject);
}

QTEST_MAIN(ContactMailTest)
#include "tst_ContactMail.moc"
