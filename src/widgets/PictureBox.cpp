#include "widgets/PictureBox.h"

#include "widgets/ControlHelpers.h"

#include <QMouseEvent>

PictureBox::PictureBox(QWidget* parent)
    : QLabel(parent) {
    setMouseTracking(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBox::setPicture(const QPixmap& picture, bool stretch) {
    setScaledContents(stretch);
    setPixmap(picture);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    ControlHelpers::notePress(event, m_pressed);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (ControlHelpers::endsClick(event, this, m_pressed))
        emit clicked();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMoved();
}
