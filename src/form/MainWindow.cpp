#include "form/MainWindow.h"

#include "form/Artwork.h"
#include "form/ControlFactory.h"
#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"
#include "widgets/PageFrame.h"
#include "widgets/PictureBox.h"
#include "widgets/PreviewPlayer.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <map>

namespace {

// The layout names Windows fonts; their metric twins stand in for them.
void substituteFonts() {
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

} // namespace

MainWindow::MainWindow(const QString& programFolder, Platform& platform, Prompter& prompter,
                       FileOps& files, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    substituteFonts();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("The Tovia 3 Music Manager"));
    setWindowIcon(Artwork::appIcon());
    setFixedSize(clientWidth, clientHeight);
    setMouseTracking(true);
    createControls();
    bindForm();
    m_form.programFolder = programFolder;
    m_form.platform = &platform;
    m_form.prompter = &prompter;
    m_form.files = &files;
}

void MainWindow::createControls() {
    std::map<Layout::Container, QWidget*> containers{{Layout::Container::Window, this}};
    const std::map<QString, Layout::Container> containerNames{
        {QStringLiteral("welcome"), Layout::Container::welcome},
        {QStringLiteral("playlistframe"), Layout::Container::playlistframe},
        {QStringLiteral("libraryframe"), Layout::Container::libraryframe},
        {QStringLiteral("settings_frame"), Layout::Container::settings_frame},
        {QStringLiteral("HelpBox1"), Layout::Container::HelpBox1},
        {QStringLiteral("helpbox2"), Layout::Container::helpbox2},
        {QStringLiteral("helpbox3"), Layout::Container::helpbox3},
        {QStringLiteral("helpbox4"), Layout::Container::helpbox4},
    };
    for (const Layout::Control& row : Layout::table()) {
        QWidget* widget = createControl(row, containers.at(row.container));
        if (auto found = containerNames.find(widget->objectName()); found != containerNames.end())
            containers[found->second] = widget;
    }
    m_form.Timer1 = new QTimer(this);
    m_form.Timer1->setObjectName(QStringLiteral("Timer1"));
    m_form.Timer1->setInterval(50);
}

void MainWindow::bindForm() {
    Form& f = m_form;
    auto find = [this]<typename T>(T*& field, const QString& name) {
        field = findChild<T*>(name);
        Q_ASSERT_X(field, "MainWindow::bindForm", qPrintable(name));
    };
    auto one = [&](auto*& field, const char* name) { find(field, QString::fromLatin1(name)); };
    auto item = [&](auto*& field, const char* name, int index) {
        find(field, QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index));
    };

    f.window = this;
    one(f.title, "title");
    one(f.Image1, "Image1");
    one(f.Image2, "Image2");
    one(f.Image3, "Image3");
    one(f.Image4, "Image4");
    one(f.sidebutton1, "sidebutton1");
    one(f.sidebutton2, "sidebutton2");
    one(f.sidebutton3, "sidebutton3");
    one(f.sidebutton4, "sidebutton4");
    one(f.sidebutton5, "sidebutton5");
    one(f.sidebutton6, "sidebutton6");
    one(f.sidebutton7, "sidebutton7");
    one(f.sidebutton8, "sidebutton8");
    one(f.sidearrow1, "sidearrow1");
    one(f.sidearrow2, "sidearrow2");
    one(f.sidearrow3, "sidearrow3");
    one(f.sidearrow4, "sidearrow4");
    for (int i = 0; i < int(f.sidelables.size()); ++i)
        item(f.sidelables[i], "sidelables", i);
    for (int i = 0; i < int(f.version.size()); ++i)
        item(f.version[i], "version", i);
    for (int i = 0; i < int(f.cmdactive.size()); ++i) {
        item(f.cmdactive[i], "cmdactive", i);
        item(f.cmdover[i], "cmdover", i);
    }
    one(f.helpboxcurs, "helpboxcurs");
    one(f.welcome, "welcome");
    one(f.playlistframe, "playlistframe");
    one(f.libraryframe, "libraryframe");
    one(f.settings_frame, "settings_frame");
    one(f.HelpBox1, "HelpBox1");
    one(f.helpbox2, "helpbox2");
    one(f.helpbox3, "helpbox3");
    one(f.helpbox4, "helpbox4");
    one(f.helpboxbm, "helpboxbm");
    one(f.cmdhelp1, "cmdhelp1");
    one(f.cmdback1, "cmdback1");
    one(f.cmdhelp2, "cmdhelp2");
    one(f.cmdback2, "cmdback2");
    one(f.cmdhelp3, "cmdhelp3");
    one(f.List1, "List1");
    one(f.startgame, "startgame");
    one(f.startgame2, "startgame2");
    one(f.File1, "File1");
    one(f.WindowsMediaPlayer3, "WindowsMediaPlayer3");
    one(f.playlists, "playlists");
    one(f.Dir2, "Dir2");
    one(f.newplaylistname, "newplaylistname");
    one(f.WindowsMediaPlayer1, "WindowsMediaPlayer1");
    one(f.playlistsons, "playlistsons");
    one(f.librarysongs, "librarysongs");
    one(f.File3, "File3");
    one(f.Drive1, "Drive1");
    one(f.Dir3, "Dir3");
    one(f.File5, "File5");
    one(f.WindowsMediaPlayer2, "WindowsMediaPlayer2");
    one(f.File4, "File4");
    one(f.lblsetting_path, "lblsetting_path");
    one(f.settings_Drive, "settings_Drive");
    one(f.settings_Dir, "settings_Dir");
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, Artwork::picture(Art::WindowBackground));
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    // Moves over controls without their own reaction reach here too; only the bare
    // background counts.
    if (!childAt(event->position().toPoint()))
        emit backgroundMouseMoved();
    event->accept();
}

void MainWindow::showEvent(QShowEvent* event) {
    if (!m_centred) {
        m_centred = true;
        if (const QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
    }
    QWidget::showEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}
