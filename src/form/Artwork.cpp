#include "form/Artwork.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtDebug>

#include <array>
#include <optional>

// The resources live in a static library; referencing the initialiser keeps the linker from
// dropping them. It must be called from outside any namespace.
static void registerArtResources() {
    Q_INIT_RESOURCE(assets);
}

namespace {

struct ArtSource {
    const char* path;
    QSize size;
};

constexpr int artCount = static_cast<int>(Art::MinimiseOver) + 1;

// Indexed by Art; the sizes are the sizes the window places the pictures at.
const std::array<ArtSource, artCount> sources{{
    {":/art/background.svg", {845, 610}},
    {":/art/action-button.svg", {178, 39}},
    {":/art/action-button-over.svg", {178, 39}},
    {":/art/play-game.svg", {97, 99}},
    {":/art/play-game-over.svg", {97, 99}},
    {":/art/hand-pointer.svg", {32, 32}},
    {":/art/side-arrow.svg", {28, 50}},
    {":/art/close.svg", {25, 24}},
    {":/art/close-over.svg", {26, 25}},
    {":/art/minimise.svg", {24, 24}},
    {":/art/minimise-over.svg", {27, 27}},
}};

const char* const iconPath = ":/art/app-icon.svg";

// Where the fingertip of the hand picture is.
constexpr int handHotX = 6;
constexpr int handHotY = 1;

struct Cache {
    std::array<QPixmap, artCount> pictures;
    std::optional<QIcon> icon;
    bool armed = false;
};

Cache& cache() {
    static Cache instance;
    return instance;
}

void clearCache() {
    cache() = Cache{};
}

// Pixmaps must not outlive the application object, so a filled cache empties itself when the
// application goes.
Cache& preparedCache() {
    static const bool registered = (registerArtResources(), true);
    Q_UNUSED(registered);
    Cache& c = cache();
    if (!c.armed) {
        qAddPostRoutine(clearCache);
        c.armed = true;
    }
    return c;
}

int indexOf(Art art) {
    const int index = static_cast<int>(art);
    return index >= 0 && index < artCount ? index : 0;
}

// A missing or broken source gives a transparent picture of the right size, so the layout
// holds even then.
QPixmap render(const QString& path, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    if (renderer.isValid()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    } else {
        qWarning() << "Artwork: cannot read" << path;
    }
    return QPixmap::fromImage(image);
}

} // namespace

namespace Artwork {

QSize naturalSize(Art art) {
    return sources[indexOf(art)].size;
}

QPixmap picture(Art art) {
    const int index = indexOf(art);
    QPixmap& cached = preparedCache().pictures[index];
    if (cached.isNull()) {
        cached = render(QString::fromLatin1(sources[index].path), sources[index].size);
    }
    return cached;
}

QIcon appIcon() {
    std::optional<QIcon>& cached = preparedCache().icon;
    if (!cached) {
        QIcon icon;
        for (int side : {48, 32, 16}) {
            icon.addPixmap(render(QString::fromLatin1(iconPath), QSize(side, side)));
        }
        cached = icon;
    }
    return *cached;
}

QCursor handCursor() {
    return QCursor(picture(Art::HandPointer), handHotX, handHotY);
}

} // namespace Artwork
