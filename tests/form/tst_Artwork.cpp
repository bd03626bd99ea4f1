#include "form/Artwork.h"

#include <QImage>
#include <QTest>

namespace {

// Mean brightness of the visible pixels, weighted by their coverage.
double brightness(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    double weight = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            sum += c.alphaF() * c.lightnessF();
            weight += c.alphaF();
        }
    }
    return weight > 0 ? sum / weight : 0;
}

int visiblePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        }
    }
    return count;
}

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT
private slots:
    void picturesRenderAtTheirSizes_data() {
        QTest::addColumn<Art>("art");
        QTest::addColumn<QSize>("size");
        QTest::newRow("background") << Art::WindowBackground << QSize(845, 610);
        QTest::newRow("action") << Art::ActionButton << QSize(178, 39);
        QTest::newRow("action over") << Art::ActionButtonOver << QSize(178, 39);
        QTest::newRow("play") << Art::PlayGame << QSize(97, 99);
        QTest::newRow("play over") << Art::PlayGameOver << QSize(97, 99);
        QTest::newRow("hand") << Art::HandPointer << QSize(32, 32);
        QTest::newRow("arrow") << Art::SideArrow << QSize(28, 50);
        QTest::newRow("close") << Art::Close << QSize(25, 24);
        QTest::newRow("close over") << Art::CloseOver << QSize(26, 25);
        QTest::newRow("minimise") << Art::Minimise << QSize(24, 24);
        QTest::newRow("minimise over") << Art::MinimiseOver << QSize(27, 27);
    }

    void picturesRenderAtTheirSizes() {
        QFETCH(Art, art);
        QFETCH(QSize, size);
        QCOMPARE(Artwork::naturalSize(art), size);
        const QPixmap pixmap = Artwork::picture(art);
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.size(), size);
        // A missing source would still give a transparent picture of the right size.
        QVERIFY(visiblePixels(pixmap.toImage()) > size.width() * size.height() / 10);
        // Rendered once, then served from the cache.
        QCOMPARE(Artwork::picture(art).cacheKey(), pixmap.cacheKey());
    }

    void highlightedVariantsAreBrighter() {
        const std::pair<Art, Art> pairs[] = {{Art::ActionButton, Art::ActionButtonOver},
                                             {Art::PlayGame, Art::PlayGameOver},
                                             {Art::Close, Art::CloseOver},
                                             {Art::Minimise, Art::MinimiseOver}};
        for (const auto& [normal, over] : pairs) {
            QVERIFY(brightness(Artwork::picture(over)) > brightness(Artwork::picture(normal)));
        }
    }

    void backgroundHasRoundedCornersAndALightPagePlate() {
        const QImage image = Artwork::picture(Art::WindowBackground).toImage();
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(844, 0), QPoint(0, 609), QPoint(844, 609)}) {
            QCOMPARE(qAlpha(image.pixel(corner)), 0);
        }
        QCOMPARE(qAlpha(image.pixel(422, 305)), 255);
        // The page plate sits lighter than the sidebar and the title strip around it.
        const QColor page = image.pixelColor(520, 320);
        QVERIFY(page.lightnessF() > image.pixelColor(110, 400).lightnessF());
        QVERIFY(page.lightnessF() > image.pixelColor(400, 18).lightnessF());
        QVERIFY(page.blue() > page.red());
    }

    void appIconHasThreeSizes() {
        const QIcon icon = Artwork::appIcon();
        QVERIFY(!icon.isNull());
        const QList<QSize> sizes = icon.availableSizes();
        for (int side : {48, 32, 16}) {
            QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
            const QPixmap pixmap = icon.pixmap(QSize(side, side));
            QCOMPARE(pixmap.size(), QSize(side, side));
            QVERIFY(visiblePixels(pixmap.toImage()) > side * side / 2);
        }
    }

    void handCursorPointsWithItsFingertip() {
        const QCursor cursor = Artwork::handCursor();
        const QImage image = cursor.pixmap().toImage();
        QCOMPARE(image.size(), Artwork::naturalSize(Art::HandPointer));
        const QPoint hot = cursor.hotSpot();

        // The hot spot must be the topmost visible point of the picture, at the left.
        int top = -1;
        int left = image.width();
        int right = -1;
        for (int y = 0; y < image.height() && top < 0; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) > 128) {
                    top = y;
                    left = qMin(left, x);
                    right = qMax(right, x);
                }
            }
        }
        QVERIFY(top >= 0);
        QVERIFY(qAbs(hot.y() - top) <= 1);
        QVERIFY(hot.x() >= left - 1 && hot.x() <= right + 1);
        QVERIFY(hot.x() < image.width() / 2);
    }
};

QTEST_MAIN(TestArtwork)
#include "tst_Artwork.moc"
