#include "ui/Hover.h"

#include "form/Form.h"
#include "ui/ActionDispatch.h"
#include "widgets/CaptionLabel.h"
#include "widgets/PictureBox.h"

#include <QColor>

#include <utility>

namespace {

const QColor linkHighlight(0, 0, 255);
const QColor linkNormal(0, 0, 0);
constexpr int tutorialLink = 30;
constexpr int contactLink = 35;

// The action button whose caption is sidelables(index), or -1.
int buttonOfCaption(const Form& f, int index) {
    for (int k = 0; k < int(f.cmdactive.size()); ++k) {
        if (captionLabelOfButton(k) == index)
            return k;
    }
    return -1;
}

} // namespace

void maKebuttonsnotactive(Form& f) {
    f.sidelables[tutorialLink]->setTextColor(linkNormal);
    f.sidelables[contactLink]->setTextColor(linkNormal);
    f.startgame->show();
    f.startgame2->hide();
    // Every page's buttons, visible or not: a page left with a lit button shows it normal.
    for (int k = 0; k < int(f.cmdactive.size()); ++k) {
        f.cmdactive[k]->show();
        f.cmdover[k]->hide();
    }
}

void windowBackgroundMouseMove(Form& f) {
    // The current page keeps its highlight; the page routines show it.
    const std::pair<int, PictureBox*> highlights[] = {
        {1, f.sidebutton4}, {2, f.sidebutton5}, {3, f.sidebutton6}, {4, f.sidebutton8}};
    for (const auto& [page, highlight] : highlights) {
        if (page != f.CurrentPage)
            highlight->hide();
    }
    f.Image1->hide();
    f.Image2->hide();
}

void sidelablesMouseMove(Form& f, int index) {
    if (const int k = buttonOfCaption(f, index); k >= 0) {
        f.cmdactive[k]->hide();
        f.cmdover[k]->show();
    } else if (index == tutorialLink || index == contactLink) {
        f.sidelables[index]->setTextColor(linkHighlight);
    }
}

void startgameMouseMove(Form& f) {
    f.startgame2->show();
    f.startgame->hide();
}

void sidebuttonMouseMove(Form& f, int normalButton) {
    switch (normalButton) {
    case 1:
        f.sidebutton4->show();
        break;
    case 2:
        f.sidebutton5->show();
        break;
    case 3:
        f.sidebutton6->show();
        break;
    case 7:
        f.sidebutton8->show();
        break;
    default:
        break;
    }
}

void closeButtonMouseMove(Form& f) {
    f.Image1->show();
}

void minimiseButtonMouseMove(Form& f) {
    f.Image2->show();
}
