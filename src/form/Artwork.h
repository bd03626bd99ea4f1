#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QSize>

// The window's pictures by role, drawn from compiled-in SVG sources at their natural sizes.
enum class Art {
    WindowBackground, // 845 x 610
    ActionButton,     // 178 x 39, stretched by its controls
    ActionButtonOver, // 178 x 39
    PlayGame,         // 97 x 99
    PlayGameOver,     // 97 x 99
    HandPointer,      // 32 x 32
    SideArrow,        // 28 x 50
    Close,            // 25 x 24
    CloseOver,        // 26 x 25
    Minimise,         // 24 x 24
    MinimiseOver,     // 27 x 27
};

namespace Artwork {
QSize naturalSize(Art art);
QPixmap picture(Art art);
QIcon appIcon(); // 48, 32 and 16 px
QCursor handCursor();
} // namespace Artwork
