#pragma once

#include <QSet>
#include <QWidget>

// A dotted frame over the control that has keyboard focus, for the controls that draw no focus
// of their own (picture buttons and links). It shows only while the keyboard is in use, from a
// key press to the next mouse press, so a mouse user never sees it; it takes no mouse input, so
// hover and clicks reach the controls under it as before.
class FocusRing : public QWidget {
    Q_OBJECT
public:
    explicit FocusRing(QWidget* window);

    void track(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow(QWidget* focused);

    QSet<const QWidget*> m_tracked;
    bool m_keyboard = false;
};
