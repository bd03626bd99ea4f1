#include "ui/FocusRing.h"

#include <QApplication>
#include <QPainter>

FocusRing::FocusRing(QWidget* window)
    : QWidget(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* focused) { follow(focused); });
    qApp->installEventFilter(this);
}

void FocusRing::track(QWidget* control) {
    m_tracked.insert(control);
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !m_keyboard) {
        m_keyboard = true;
        follow(QApplication::focusWidget());
    } else if (event->type() == QEvent::MouseButtonPress && m_keyboard) {
        m_keyboard = false;
        hide();
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::follow(QWidget* focused) {
    if (!m_keyboard || !focused || !m_tracked.contains(focused) || !focused->parentWidget()) {
        hide();
        return;
    }
    // A sibling of the control, raised above it and above the caption drawn over it.
    if (parentWidget() != focused->parentWidget())
        setParent(focused->parentWidget());
    setGeometry(focused->geometry());
    raise();
    show();
}

void FocusRing::paintEvent(QPaintEvent*) {
    // Black dots on white show on the light and the dark pictures alike.
    QPainter painter(this);
    const QRect frame = rect().adjusted(1, 1, -2, -2);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::black, 2, Qt::DotLine));
    painter.drawRect(frame);
}
