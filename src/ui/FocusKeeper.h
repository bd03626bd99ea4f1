#pragma once

#include <QList>
#include <QObject>
#include <QPair>

class QWidget;

// Keeps the keyboard focus on something the user can see and use. A page that is hidden with
// the focus inside would hand it to whatever comes next in the tab order, most often a sidebar
// button; the focus goes to the first control of the page shown instead. A tutorial box that
// appears takes the focus on the button that goes on, so Enter or Space follows the tour.
class FocusKeeper : public QObject {
    Q_OBJECT
public:
    explicit FocusKeeper(QObject* parent = nullptr);

    void addPage(QWidget* page, QWidget* firstControl);
    void addBox(QWidget* box, QWidget* goOn);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusVisiblePage();

    QList<QPair<QWidget*, QWidget*>> m_pages;
    QList<QPair<QWidget*, QWidget*>> m_boxes;
};
