#include "widgets/CaptionLabel.h"

#include "widgets/ControlHelpers.h"

#include <QMouseEvent>

namespace {
// Room for the label's own margins and anti-aliased glyph edges.
constexpr int WidthSlack = 4;
} // namespace

CaptionLabel::CaptionLabel(QWidget* parent)
    : QLabel(parent) {
    setMouseTracking(true);
    // Only the text is drawn, so the caption sits on whatever is behind it.
    setAutoFillBackground(false);
}

void CaptionLabel::setSizedToText(bool sized) {
    m_sizedToText = sized;
    if (sized)
        fitWidth();
}

void CaptionLabel::setCaption(const QString& caption) {
    setText(caption);
    if (m_sizedToText)
        fitWidth();
}

void CaptionLabel::setTextColor(const QColor& color) {
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, color);
    setPalette(colors);
}

QColor CaptionLabel::textColor() const {
    return palette().color(QPalette::WindowText);
}

void CaptionLabel::setBackgroundColor(const QColor& color) {
    ControlHelpers::fillBackground(this, color);
}

void CaptionLabel::mousePressEvent(QMouseEvent* event) {
    ControlHelpers::notePress(event, m_pressed);
}

void CaptionLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (ControlHelpers::endsClick(event, this, m_pressed))
        emit clicked();
}

void CaptionLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void CaptionLabel::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMoved();
}

void CaptionLabel::fitWidth() {
    const QMargins margins = contentsMargins();
    const int width = fontMetrics().horizontalAdvance(text()) + 2 * margin() + margins.left() +
                      margins.right() + WidthSlack;
    resize(width, height()); // resize keeps the left edge where it is
}
