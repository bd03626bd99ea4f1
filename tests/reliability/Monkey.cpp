#include "Monkey.h"

#include "CorpusFile.h"
#include "TestApp.h"
#include "WatchedFileOps.h"

#include "ui/Tutorial.h"
#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"
#include "widgets/PictureBox.h"
#include "widgets/PreviewPlayer.h"

#include <QAbstractScrollArea>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString aDate = QStringLiteral("7/16/2009 3:25:07 PM");

// Names a user might type, the odd ones first: separators, dots, spaces, other scripts, emoji,
// control characters, shell syntax and names of the program's own folders.
const QStringList typedNames{
    QStringLiteral("a/b"),
    QStringLiteral(".."),
    QStringLiteral("."),
    QStringLiteral(".hidden"),
    QStringLiteral("../../escaped"),
    QStringLiteral("/absolute"),
    QStringLiteral("back\\slash"),
    QStringLiteral(" spaced "),
    QStringLiteral("   "),
    QStringLiteral("\u00dcn\u00efc\u00f6d\u00e9"),
    QStringLiteral("\u65e5\u672c\u8a9e\u306e\u6b4c"),
    QStringLiteral("\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac"),
    QStringLiteral("emoji \U0001F3B5\U0001F3B6"),
    QStringLiteral("name, with \"quotes\""),
    QStringLiteral("\"leading quote"),
    QStringLiteral("tab\there"),
    QStringLiteral("line\nbreak"),
    QStringLiteral("nul") + QChar(0) + QStringLiteral("name"),
    QString(300, QLatin1Char('x')),
    QStringLiteral("$(touch pwned)"),
    QStringLiteral("`touch pwned`; rm -rf ~"),
    QStringLiteral("*?[]"),
    QStringLiteral("~"),
    QStringLiteral("Library"),
    QStringLiteral("Rock"),
    QStringLiteral("rock"),
    QStringLiteral("Party Mix"),
    QStringLiteral("Chill"),
    QStringLiteral("Road Trip"),
};

// Pieces of random names: letters, digits and everything that tends to go wrong in a path.
const QStringList namePieces{
    QStringLiteral("a"),      QStringLiteral("Z"),      QStringLiteral("7"),
    QStringLiteral(" "),      QStringLiteral("."),      QStringLiteral("/"),
    QStringLiteral("\\"),     QStringLiteral(","),      QStringLiteral("\""),
    QStringLiteral("\u00e9"), QStringLiteral("\u4e2d"), QStringLiteral("\U0001F600"),
    QStringLiteral("-"),      QStringLiteral("\t"),
};

bool isAtOrBelow(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

QString describe(const QWidget* widget) {
    if (!widget)
        return QStringLiteral("nothing");
    // A list's rows lie in its viewport.
    if (const auto* list = qobject_cast<const QAbstractScrollArea*>(widget->parentWidget());
        list && list->viewport() == widget)
        return list->objectName();
    if (!widget->objectName().isEmpty())
        return widget->objectName();
    if (widget->parentWidget() && !widget->parentWidget()->objectName().isEmpty())
        return widget->parentWidget()->objectName() + QLatin1Char('/') +
               QLatin1String(widget->metaObject()->className());
    return QLatin1String(widget->metaObject()->className());
}

} // namespace

Monkey::Monkey(quint32 seed)
    : m_seed(seed)
    , m_random(seed) {}

Monkey::~Monkey() {
    m_app.reset();
    if (!m_previousDir.isEmpty())
        QDir::setCurrent(m_previousDir);
}

int Monkey::fileCalls() const {
    return m_files ? m_files->calls() : 0;
}

void Monkey::start() {
    m_files = std::make_unique<WatchedFileOps>(m_sandbox.root());
    m_app = m_sandbox.makeApp(m_files.get());
    ProgramFolder& folder = m_app->folder;
    folder.addLibrarySong(QStringLiteral("a.mp3"), QStringLiteral("tone-a.mp3"));
    folder.addLibrarySong(QStringLiteral("b.mp3"), QStringLiteral("tone-b.mp3"));
    folder.addLibrarySong(QStringLiteral("\u00dcn\u00ef c\u00f6d\u00e9.mp3"),
                          QStringLiteral("tone-c.mp3"));
    folder.addLibrarySong(QStringLiteral("song.mp3.bak"));
    folder.addLibrarySong(QStringLiteral("notes.txt"), QStringLiteral("broken.mp3"));
    folder.addLibrarySong(QStringLiteral(".hidden.mp3"));
    QFile::link(m_sandbox.path(QStringLiteral("b/b1.mp3")),
                folder.library() + QStringLiteral("/linked.mp3"));
    folder.addPlaylist(QStringLiteral("Rock"), {QStringLiteral("a.mp3"), QStringLiteral("b.mp3")});
    QFile::link(m_sandbox.path(QStringLiteral("a/a1.mp3")),
                folder.playlist(QStringLiteral("Rock")) + QStringLiteral("/linked.mp3"));
    folder.addPlaylist(QStringLiteral("Party Mix"), {QStringLiteral("c.mp3")});
    folder.addPlaylist(QStringLiteral("\u65e5\u672c"));
    folder.addPlaylist(QStringLiteral("Empty"));
    // Every third seed starts as a new user: the default music folder then lies outside the
    // sandbox until the monkey picks another on the settings page.
    const bool firstRun = m_seed % 3 == 0;
    folder.writeState(QStringLiteral("Rock"), firstRun ? QStringLiteral("Never") : aDate,
                      m_sandbox.musicFolder());

    m_app->platform.login = QStringLiteral("tovia-monkey");
    m_app->platform.volumes = {m_sandbox.path(QStringLiteral("songs")),
                               m_sandbox.path(QStringLiteral("games"))};
    m_app->prompter.defaultAnswer = pick(2) == 0;
    // Each box decides the answer to the next question: Yes more often, so operations go on.
    m_app->prompter.whileOpen = [this](const ScriptedPrompter::Box&) {
        m_app->prompter.defaultAnswer = pick(100) < 70;
    };
    m_files->allow({folder.path()});
    Form& f = m_app->form();
    m_app->start([this, &f](Action action) {
        m_ran << action;
        ++m_routines[action];
        runAction(f, action);
    });
    // The tutorial advances only when the monkey ticks it.
    f.Timer1->blockSignals(true);
    // The user has opened the songs folder and the games folder before the run begins.
    f.Dir3->setPath(m_sandbox.path(QStringLiteral("songs")));
    f.settings_Dir->setPath(m_sandbox.path(QStringLiteral("games")));
    m_app->window->show();
    if (!QTest::qWaitForWindowExposed(m_app->window.get()))
        qFatal("The window was never shown");
    m_snapshot = m_sandbox.snapshot();
    note(firstRun ? QStringLiteral("start as a new user") : QStringLiteral("start"));
}

QString Monkey::run(int actions) {
    m_previousDir = QDir::currentPath();
    // A relative path or a shell would leave its traces among the sentinels.
    QDir::setCurrent(m_sandbox.root());
    start();
    QString error = check();
    while (error.isEmpty() && m_done < actions) {
        const Form& f = m_app->form();
        m_ran.clear();
        m_listedPlaylist = false;
        m_browsed = false;
        m_songsFolderBefore = f.playlistsons->folder();
        m_musicBefore = f.MusicFolder;
        m_files->allow({m_app->folder.path(), f.MusicFolder});
        act();
        if (sabotage)
            sabotage(m_done, m_sandbox, *m_app);
        error = check();
        if (error.isEmpty())
            ++m_done;
    }
    if (error.isEmpty())
        return {};
    return QStringLiteral("Seed %1, action %2: %3\nReplay with TOVIA_MONKEY_SEED=%1 "
                          "TOVIA_MONKEY_ACTIONS=%4. The last actions:\n  %5")
        .arg(m_seed)
        .arg(m_done)
        .arg(error)
        .arg(m_done + 1)
        .arg(m_log.join(QStringLiteral("\n  ")));
}

void Monkey::act() {
    const int roll = pick(100);
    bool acted = false;
    if (roll < 8)
        acted = typeName();
    else if (roll < 18)
        acted = tick();
    else if (roll < 21)
        acted = chooseDrive();
    else if (roll < 27)
        acted = hover();
    else if (roll < 45)
        acted = clickRow(false);
    else if (roll < 55)
        acted = clickRow(true);
    if (!acted)
        clickControl(roll < 60);
    restoreWindow();
    // A person starts the next thing once a song they picked has begun to play. Changing the
    // song before that can freeze Qt 6.4's GStreamer player (see docs/reliability.md), so the
    // monkey waits as long as that, at most a few seconds.
    const Form& f = m_app->form();
    const bool settled = QTest::qWaitFor([&f] {
        for (const PreviewPlayer* player :
             {f.WindowsMediaPlayer1, f.WindowsMediaPlayer2, f.WindowsMediaPlayer3}) {
            const QMediaPlayer* media = player->mediaPlayer();
            const QMediaPlayer::MediaStatus status = media->mediaStatus();
            const bool begun = media->source().isEmpty() || media->position() > 0 ||
                               status == QMediaPlayer::EndOfMedia ||
                               status == QMediaPlayer::InvalidMedia;
            if (!begun)
                return false;
        }
        return true;
    });
    if (!settled)
        note(QStringLiteral("a song had not begun to play when the next action came"));
}

void Monkey::clickControl(bool twice) {
    const Form& f = m_app->form();
    QList<QWidget*> controls;
    QList<int> weights;
    int total = 0;
    for (QWidget* widget : m_app->window->findChildren<QWidget*>()) {
        const bool clickable = qobject_cast<PictureBox*>(widget) ||
                               qobject_cast<CaptionLabel*>(widget) ||
                               qobject_cast<QPushButton*>(widget);
        // Closing the window would end the run; the play-game pictures only hide it.
        if (!clickable || widget == f.Image1 || widget == f.Image3 || !widget->isVisible() ||
            !widget->isEnabled())
            continue;
        const QString name = widget->objectName();
        int weight = 1;
        if (name.startsWith(QLatin1String("cmdactive")) ||
            name.startsWith(QLatin1String("cmdover")))
            weight = 6;
        else if (qobject_cast<QPushButton*>(widget) || name.startsWith(QLatin1String("side")))
            weight = 3;
        for (int i = 0; i < int(f.sidelables.size()); ++i) {
            if (f.sidelables[i] == widget && labelAction(i) != Action::None)
                weight = 5;
        }
        controls << widget;
        weights << weight;
        total += weight;
    }
    int roll = pick(total);
    int chosen = 0;
    while (roll >= weights.at(chosen))
        roll -= weights.at(chosen++);
    QWidget* control = controls.at(chosen);
    const QPoint local(control->width() * (20 + pick(61)) / 100,
                       control->height() * (20 + pick(61)) / 100);
    clickAt(control, local, twice);
}

bool Monkey::clickRow(bool twice) {
    const Form& f = m_app->form();
    QList<QAbstractItemView*> lists;
    for (QAbstractItemView* list : std::initializer_list<QAbstractItemView*>{
             f.List1, f.File1, f.playlists, f.playlistsons, f.librarysongs, f.File4, f.File5,
             f.Dir3, f.settings_Dir}) {
        if (list->isVisible() && list->isEnabled())
            lists << list;
    }
    if (lists.isEmpty())
        return false;
    QAbstractItemView* list = lists.at(pick(int(lists.size())));
    const QAbstractItemModel* model = list->model();
    QWidget* viewport = list->viewport();
    if (model->rowCount() == 0 || pick(12) == 0) {
        // Below the last row, or anywhere in an empty list.
        clickAt(viewport, QPoint(pick(viewport->width()), viewport->height() - 2), twice);
        return true;
    }
    const QModelIndex index = model->index(pick(model->rowCount()), 0);
    if (twice && (list == f.Dir3 || list == f.settings_Dir)) {
        // Folders open only inside the sandbox, and the music folder is only ever chosen among
        // the games' folders: a run must never empty a folder of the machine.
        const QString folder = index.data(Qt::ToolTipRole).toString();
        const QString area = m_sandbox.path(list == f.Dir3 ? QString() : QStringLiteral("games"));
        twice = isAtOrBelow(QDir::cleanPath(folder), area);
    }
    list->scrollTo(index);
    note(QStringLiteral("row %1 of %2").arg(visibleText(index.data().toString()), describe(list)));
    clickAt(viewport, list->visualRect(index).center(), twice);
    m_listedPlaylist = m_listedPlaylist || list == f.List1;
    m_browsed = m_browsed || (twice && list == f.Dir3);
    return true;
}

bool Monkey::typeName() {
    QLineEdit* edit = m_app->form().newplaylistname;
    if (!edit->isVisible())
        return false;
    QString name;
    if (pick(3) == 0) {
        for (int length = 1 + pick(12); length > 0; --length)
            name += namePieces.at(pick(int(namePieces.size())));
    } else {
        name = typedNames.at(pick(int(typedNames.size())));
    }
    clickAt(edit, edit->rect().center(), false);
    note(QStringLiteral("type ") + visibleText(name));
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    const bool typeable = std::all_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() < 0x7f;
    });
    // What the test keyboard cannot type is pasted.
    if (typeable)
        QTest::keyClicks(edit, name);
    else
        edit->insert(name);
    return true;
}

bool Monkey::tick() {
    Form& f = m_app->form();
    if (!f.Timer1->isActive())
        return false;
    const int ticks = 1 + pick(45);
    note(QStringLiteral("tutorial: %1 ticks").arg(ticks));
    for (int i = 0; i < ticks && f.Timer1->isActive(); ++i)
        Timer1_Timer(f);
    return true;
}

bool Monkey::chooseDrive() {
    const Form& f = m_app->form();
    DriveList* drives = pick(2) == 0 ? f.Drive1 : f.settings_Drive;
    if (!drives->isVisible())
        return false;
    const bool down = pick(2) == 0;
    note(QStringLiteral("%1: %2").arg(describe(drives), down ? "next drive" : "previous drive"));
    QTest::keyClick(drives, down ? Qt::Key_Down : Qt::Key_Up);
    m_browsed = m_browsed || drives == f.Drive1;
    return true;
}

bool Monkey::hover() {
    QWidget* window = m_app->window.get();
    const QPoint at(pick(window->width()), pick(window->height()));
    note(QStringLiteral("move to %1,%2 (over %3)")
             .arg(at.x())
             .arg(at.y())
             .arg(describe(window->childAt(at))));
    QTest::mouseMove(window->windowHandle(), at);
    return true;
}

void Monkey::clickAt(QWidget* widget, const QPoint& local, bool twice) {
    QWidget* window = m_app->window.get();
    const QPoint at = widget->mapTo(window, local);
    note(QStringLiteral("%1 %2 at %3,%4 (over %5)")
             .arg(twice ? "double-click" : "click", describe(widget))
             .arg(at.x())
             .arg(at.y())
             .arg(describe(window->childAt(at))));
    // Through the window, as the system delivers it: the control on top at that point gets it.
    if (twice)
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at);
    else
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
}

void Monkey::restoreWindow() {
    QWidget* window = m_app->window.get();
    if (window->isMinimized())
        window->showNormal();
    if (!window->isVisible()) {
        // The play-game picture closed the window; the user starts the program again.
        note(QStringLiteral("the window closed; shown again"));
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            qFatal("The window was never shown again");
    }
}

void Monkey::note(const QString& line) {
    m_log << QStringLiteral("%1: %2").arg(m_done).arg(line);
    constexpr int kept = 30;
    if (m_log.size() > kept)
        m_log.removeFirst();
}
