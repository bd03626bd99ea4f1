#include "drop/SongDrop.h"

#include "drop/DroppedSongs.h"
#include "form/Form.h"
#include "widgets/PageFrame.h"

#include <QAbstractItemView>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>

void SongDrop::install(Form& f) {
    auto* drop = new SongDrop(f, f.libraryframe);
    drop->watch(f.libraryframe);
    // A list takes the drop on its viewport; its own drop handling never sees it.
    for (QAbstractItemView* list : f.libraryframe->findChildren<QAbstractItemView*>())
        drop->watch(list->viewport());
}

SongDrop::SongDrop(Form& form, QObject* parent)
    : QObject(parent)
    , m_form(form) {}

void SongDrop::watch(QWidget* target) {
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool SongDrop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (!drag->mimeData()->hasUrls())
            return false;
        // Anything with files is taken, so that a refusal can say why.
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasUrls())
            return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        QTimer::singleShot(
            0, this, [this, urls = drop->mimeData()->urls()] { AddDroppedSongs(m_form, urls); });
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
