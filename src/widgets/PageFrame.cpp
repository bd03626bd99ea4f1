#include "widgets/PageFrame.h"

#include "widgets/ControlHelpers.h"

#include <QMouseEvent>

PageFrame::PageFrame(QWidget* parent)
    : QFrame(parent) {
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
}

void PageFrame::setBackgroundColor(const QColor& color) {
    ControlHelpers::fillBackground(this, color);
}

void PageFrame::mouseMoveEvent(QMouseEvent* event) {
    // Children without mouse tracking pass their moves up to us; only our own empty area
    // counts.
    if (!childAt(event->position().toPoint()))
        emit mouseMoved();
    // Accepted either way, so the move never reaches the window behind.
    event->accept();
}
