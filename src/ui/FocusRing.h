#pragma once

#include <QSet>
#include <QWidget>

// A dotted frame over the control that has keyboard focus, for the controls that draw no focus
// of their own (picture buttons and links). It takes no mouse input, so hover and clicks reach
// the controls under it as before.
class FocusRing : public QWidget {
    Q_OBJECT
public:
    explicit FocusRing(QWidget* window);

    void track(QWidget* control);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void follow(QWidget* focused);

    QSet<const QWidget*> m_tracked;
};
