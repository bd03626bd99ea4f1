#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>

struct Form;
class QAbstractButton;
class QKeyEvent;
class QWidget;

// Lets keyboard users reach and use what the mouse uses: Space or Enter on a focused picture
// button or link clicks it, Enter presses a push button, Enter on a folder list opens its
// current folder as a double-click does, and a button whose two pictures take turns under the
// mouse keeps the focus on the one that shows.
class KeyboardAccess : public QObject {
    Q_OBJECT
public:
    // Names the window's picture buttons and lists for assistive technology, makes them
    // reachable with Tab, sets the tab order and draws the focus of the pictures.
    static void install(Form& form);

    explicit KeyboardAccess(QObject* parent = nullptr);

    void addClickable(QWidget* widget);      // a widget with a clicked() signal
    void addButton(QAbstractButton* button); // Enter presses it, as Space already does
    void addPair(QWidget* first, QWidget* second);
    void addFolderList(QWidget* list); // a DirList

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleKey(QObject* watched, const QKeyEvent& key);
    void handOver(QWidget* hidden);

    QSet<const QObject*> m_clickable;
    QSet<const QObject*> m_buttons;
    QSet<const QObject*> m_folderLists;
    QHash<const QObject*, QWidget*> m_partner;
    QPointer<QWidget> m_pending; // gets the focus when it shows, later in the same event
};
