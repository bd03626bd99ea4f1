#include "ui/KeyboardAccess.h"

#include "form/Form.h"
#include "ui/ButtonAccessible.h"
#include "ui/FocusKeeper.h"
#include "ui/FocusRing.h"
#include "ui/PictureButtons.h"
#include "ui/TabOrder.h"
#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"
#include "widgets/PageFrame.h"
#include "widgets/PictureBox.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int tutorialLink = 30;
constexpr int contactLink = 35;

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool hasFocusInWindow(const QWidget* widget) {
    return widget->window()->focusWidget() == widget;
}

// Each list is named by the heading over it, without its colon.
void nameLists(Form& f) {
    const std::pair<int, QWidget*> headings[] = {
        {17, f.List1},          {24, f.File1},       {6, f.playlists},
        {4, f.newplaylistname}, {3, f.playlistsons}, {9, f.librarysongs},
        {13, f.File5},          {16, f.File4},       {39, f.settings_Dir},
    };
    for (const auto& [label, control] : headings) {
        QString name = f.sidelables[label]->caption().trimmed();
        if (name.endsWith(QLatin1Char(':')))
            name.chop(1);
        control->setAccessibleName(name);
    }
}

} // namespace

void KeyboardAccess::install(Form& f) {
    auto* keys = new KeyboardAccess(f.window);
    auto* ring = new FocusRing(f.window);
    const auto makeClickable = [keys, ring](QWidget* widget, const QString& name,
                                            ButtonAccessible::Kind kind) {
        ButtonAccessible::markAs(widget, kind);
        widget->setAccessibleName(name);
        // Tab reaches it; a mouse click still leaves the focus where it was.
        widget->setFocusPolicy(Qt::TabFocus);
        keys->addClickable(widget);
        ring->track(widget);
    };
    for (const PictureButton& button : pictureButtons(f)) {
        makeClickable(button.normal, button.caption, ButtonAccessible::Kind::Button);
        makeClickable(button.highlighted, button.caption, ButtonAccessible::Kind::Button);
        if (button.highlightCovers)
            button.highlighted->setFocusProxy(button.normal); // one Tab stop for the pair
        else
            keys->addPair(button.normal, button.highlighted);
    }
    for (int link : {contactLink, tutorialLink})
        makeClickable(f.sidelables[link], f.sidelables[link]->caption(),
                      ButtonAccessible::Kind::Link);
    for (QPushButton* button :
         {f.helpboxbm, f.cmdhelp1, f.cmdback1, f.cmdhelp2, f.cmdback2, f.cmdhelp3})
        keys->addButton(button);
    keys->addFolderList(f.Dir3);
    keys->addFolderList(f.settings_Dir);
    nameLists(f);
    setWindowTabOrder(f);

    auto* keeper = new FocusKeeper(f.window);
    keeper->addPage(f.welcome, f.List1);
    keeper->addPage(f.playlistframe, f.playlists);
    keeper->addPage(f.libraryframe, f.Drive1);
    keeper->addPage(f.settings_frame, f.settings_Drive);
    keeper->addBox(f.HelpBox1, f.helpboxbm);
    keeper->addBox(f.helpbox2, f.cmdhelp1);
    keeper->addBox(f.helpbox3, f.cmdhelp2);
    keeper->addBox(f.helpbox4, f.cmdhelp3);
}

KeyboardAccess::KeyboardAccess(QObject* parent)
    : QObject(parent) {}

void KeyboardAccess::addClickable(QWidget* widget) {
    m_clickable.insert(widget);
    widget->installEventFilter(this);
}

void KeyboardAccess::addButton(QAbstractButton* button) {
    m_buttons.insert(button);
    button->installEventFilter(this);
}

void KeyboardAccess::addPair(QWidget* first, QWidget* second) {
    m_partner.insert(first, second);
    m_partner.insert(second, first);
}

void KeyboardAccess::addFolderList(QWidget* list) {
    m_folderLists.insert(list);
    list->installEventFilter(this);
}

bool KeyboardAccess::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (handleKey(watched, *static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::Hide:
        if (!event->spontaneous()) // not the whole window being minimised
            handOver(static_cast<QWidget*>(watched));
        break;
    case QEvent::Show:
        if (watched == m_pending) {
            m_pending->setFocus(Qt::OtherFocusReason);
            m_pending = nullptr;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool KeyboardAccess::handleKey(QObject* watched, const QKeyEvent& key) {
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    if (m_clickable.contains(watched) && (isEnter(key.key()) || key.key() == Qt::Key_Space)) {
        // Holding the key down clicks once.
        if (!key.isAutoRepeat())
            QMetaObject::invokeMethod(watched, "clicked");
        return true;
    }
    if (m_buttons.contains(watched) && isEnter(key.key())) {
        if (!key.isAutoRepeat())
            static_cast<QAbstractButton*>(watched)->click();
        return true;
    }
    if (m_folderLists.contains(watched) && isEnter(key.key())) {
        auto* folders = static_cast<DirList*>(watched);
        if (QListWidgetItem* item = folders->currentItem())
            emit folders->itemDoubleClicked(item);
        return true;
    }
    return false;
}

void KeyboardAccess::handOver(QWidget* hidden) {
    QWidget* partner = m_partner.value(hidden);
    if (!partner || !hasFocusInWindow(hidden))
        return;
    if (partner->isVisible()) {
        partner->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The hover shows the other picture right after hiding this one.
    m_pending = partner;
    QTimer::singleShot(0, this, [this] { m_pending = nullptr; });
}
