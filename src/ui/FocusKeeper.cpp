#include "ui/FocusKeeper.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

FocusKeeper::FocusKeeper(QObject* parent)
    : QObject(parent) {}

void FocusKeeper::addPage(QWidget* page, QWidget* firstControl) {
    m_pages.append(qMakePair(page, firstControl));
    page->installEventFilter(this);
}

void FocusKeeper::addBox(QWidget* box, QWidget* goOn) {
    m_boxes.append(qMakePair(box, goOn));
    box->installEventFilter(this);
}

bool FocusKeeper::eventFilter(QObject* watched, QEvent* event) {
    // Minimising and restoring the window hide and show everything; that changes nothing here.
    if (event->spontaneous())
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Hide) {
        auto* page = static_cast<QWidget*>(watched);
        const QWidget* focused = page->window()->focusWidget();
        // The page routines show and hide pages in either order: look once both are done.
        if (focused && page->isAncestorOf(focused))
            QTimer::singleShot(0, this, &FocusKeeper::focusVisiblePage);
    } else if (event->type() == QEvent::Show) {
        for (const auto& [box, goOn] : std::as_const(m_boxes)) {
            if (box == watched)
                goOn->setFocus(Qt::OtherFocusReason);
        }
    }
    return QObject::eventFilter(watched, event);
}

void FocusKeeper::focusVisiblePage() {
    for (const auto& [page, first] : std::as_const(m_pages)) {
        if (page->isVisible() && first->isVisibleTo(page) && first->isEnabled()) {
            first->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}
