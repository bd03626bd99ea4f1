#pragma once

#include <QList>
#include <QString>

struct Form;
class PictureBox;

// A picture that works as a button: its normal picture, the highlighted one at the same place,
// and the caption a screen reader announces for both.
struct PictureButton {
    PictureBox* normal = nullptr;
    PictureBox* highlighted = nullptr;
    QString caption;
    // The highlight is laid over the normal picture, which stays visible (sidebar, close,
    // minimise); otherwise the two take turns (action buttons, play game).
    bool highlightCovers = false;
};

// Every picture button of the window.
QList<PictureButton> pictureButtons(const Form& form);
