#include "ui/Tutorial.h"

#include "form/Form.h"
#include "form/LayoutTable.h"
#include "ui/Navigation.h"
#include "widgets/PictureBox.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTimer>
#include <QVariant>

#include <initializer_list>

namespace {

constexpr const char* topProperty = "topTwips";
// Pointer Tops in twips: the rest position just below the tutorial box and the three targets,
// each a little below the top of its sidebar button.
constexpr int restTop = 2800;
constexpr int libraryTop = 6600;
constexpr int playlistsTop = 5900;
constexpr int welcomeTop = 5200;
constexpr int stride = 100; // per tick, so every position is a whole multiple of 100

bool between(int value, int low, int high) {
    return value >= low && value <= high;
}

void enable(std::initializer_list<QPushButton*> buttons, bool on) {
    for (QPushButton* button : buttons)
        button->setEnabled(on);
}

// Step 1: down to the Library button, then keep the library page up.
void tickStepOne(Form& f) {
    f.helpboxcurs->show();
    const int top = pointerTop(f);
    if (between(top, 0, 6500)) {
        f.cmdhelp1->setEnabled(false);
        setPointerTop(f, top + stride);
    } else if (top == libraryTop) {
        ShowLibraryPage(f);
        f.cmdhelp1->setEnabled(true);
    }
}

// Step 2: up from the Library button or down from the Welcome button to the Playlists button.
void tickStepTwo(Form& f) {
    const int top = pointerTop(f);
    if (between(top, 6000, libraryTop)) {
        enable({f.cmdhelp2, f.cmdback2, f.cmdback1}, false);
        f.sidebutton6->hide();
        setPointerTop(f, top - stride);
    } else if (top == playlistsTop) {
        ShowPlaylistsPage(f);
        enable({f.cmdhelp2, f.cmdback1}, true);
    } else if (between(top, 5000, playlistsTop)) {
        f.sidebutton5->hide();
        enable({f.cmdhelp3, f.cmdback2}, false);
        setPointerTop(f, top + stride);
    }
}

// Step 3: up to the Welcome button.
void tickStepThree(Form& f) {
    const int top = pointerTop(f);
    if (between(top, 5300, playlistsTop)) {
        f.sidebutton5->hide();
        enable({f.cmdhelp3, f.cmdback1, f.cmdhelp2}, false);
        setPointerTop(f, top - stride);
    } else if (top == welcomeTop) {
        ShowWelcomePage(f);
        f.sidebutton4->show();
        enable({f.cmdhelp3, f.cmdback2}, true);
    }
}

} // namespace

int pointerTop(const Form& f) {
    const QVariant top = f.helpboxcurs->property(topProperty);
    return top.isValid() ? top.toInt() : restTop;
}

void setPointerTop(Form& f, int top) {
    f.helpboxcurs->setProperty(topProperty, top);
    f.helpboxcurs->move(f.helpboxcurs->x(), Layout::pixels(top));
}

void StartTutorial(Form& f) {
    // A restart while a step is open begins again from the rest position: left open, that
    // step's moves would fight the new step 1 and the pointer would never arrive.
    for (QGroupBox* step : {f.helpbox2, f.helpbox3, f.helpbox4})
        step->hide();
    f.helpboxcurs->hide();
    setPointerTop(f, restTop);

    f.Timer1->start();
    f.HelpBox1->show();
    f.sidebutton4->hide();
    f.sidearrow1->hide();
}

void Timer1_Timer(Form& f) {
    // Each check reads the pointer afresh; normally only one box is open, so one acts.
    if (!f.helpbox2->isHidden())
        tickStepOne(f);
    if (!f.helpbox3->isHidden())
        tickStepTwo(f);
    if (!f.helpbox4->isHidden())
        tickStepThree(f);
}

void helpboxbm_Click(Form& f) {
    f.helpbox2->show();
    f.HelpBox1->hide();
}

void cmdhelp1_Click(Form& f) {
    f.helpbox2->hide();
    f.helpbox3->show();
}

void cmdhelp2_Click(Form& f) {
    f.helpbox3->hide();
    f.helpbox4->show();
}

void cmdback1_Click(Form& f) {
    f.helpbox3->hide();
    f.helpbox2->show();
    f.sidebutton5->hide();
    f.sidebutton4->hide();
}

void cmdback2_Click(Form& f) {
    f.helpbox4->hide();
    f.helpbox3->show();
    f.sidebutton4->hide();
}

void cmdhelp3_Click(Form& f) {
    f.Timer1->stop();
    f.helpbox4->hide();
    f.helpboxcurs->hide();
    setPointerTop(f, restTop);
    ShowWelcomePage(f);
}
