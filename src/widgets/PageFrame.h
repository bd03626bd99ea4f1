#pragma once

#include <QFrame>

// A container whose own empty area reports mouse movement (movement over its children does
// not count).
class PageFrame : public QFrame {
    Q_OBJECT
public:
    explicit PageFrame(QWidget* parent = nullptr);

    void setBackgroundColor(const QColor& color);

signals:
    void mouseMoved();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};
