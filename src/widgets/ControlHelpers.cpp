#include "widgets/ControlHelpers.h"

#include <QMouseEvent>
#include <QWidget>

namespace ControlHelpers {

void notePress(QMouseEvent* event, bool& pressed) {
    if (event->button() == Qt::LeftButton)
        pressed = true;
    event->accept();
}

bool endsClick(QMouseEvent* event, const QWidget* widget, bool& pressed) {
    if (event->button() != Qt::LeftButton)
        return false;
    event->accept();
    const bool click = pressed && widget->rect().contains(event->position().toPoint());
    pressed = false;
    return click;
}

void fillBackground(QWidget* widget, const QColor& color) {
    QPalette colors = widget->palette();
    colors.setColor(QPalette::Window, color);
    widget->setPalette(colors);
    widget->setAutoFillBackground(true);
}

} // namespace ControlHelpers
