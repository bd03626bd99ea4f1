#pragma once

#include <QObject>

struct Form;
class QWidget;

// Takes files dragged from the desktop's file manager onto the library page or one of its
// lists. The drop is always taken as a copy, so the file manager never deletes the originals,
// and AddDroppedSongs runs once the drop itself has finished, so its copies and boxes do not
// keep the file manager waiting.
class SongDrop : public QObject {
    Q_OBJECT
public:
    // Watches libraryframe and the lists on it.
    static void install(Form& form);

    SongDrop(Form& form, QObject* parent);
    void watch(QWidget* target);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Form& m_form;
};
