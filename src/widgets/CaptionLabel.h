#pragma once

#include <QLabel>

// A label with click and mouse-move signals; optionally it sizes its width to its caption.
class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    explicit CaptionLabel(QWidget* parent = nullptr);

    void setSizedToText(bool sized);
    bool isSizedToText() const { return m_sizedToText; }

    // Sets the text, growing or shrinking the width to fit when sized to text.
    void setCaption(const QString& caption);
    QString caption() const { return text(); }

    void setTextColor(const QColor& color);
    QColor textColor() const;
    void setBackgroundColor(const QColor& color); // makes the label opaque

signals:
    void clicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The second press of a double-click is no new click: an operation runs once.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void fitWidth();

    bool m_sizedToText = false;
    bool m_pressed = false;
};
