#include "ui/PictureButtons.h"

#include "form/Form.h"
#include "ui/ActionDispatch.h"
#include "widgets/CaptionLabel.h"

namespace {

constexpr int playGameCaption = 36;

} // namespace

QList<PictureButton> pictureButtons(const Form& f) {
    const auto caption = [&f](int label) { return f.sidelables[label]->caption(); };
    QList<PictureButton> buttons{
        {f.sidebutton1, f.sidebutton4, caption(0), true},
        {f.sidebutton2, f.sidebutton5, caption(1), true},
        {f.sidebutton3, f.sidebutton6, caption(2), true},
        {f.sidebutton7, f.sidebutton8, caption(37), true},
        {f.startgame, f.startgame2, caption(playGameCaption), false},
    };
    for (int k = 0; k < int(f.cmdactive.size()); ++k)
        buttons.append({f.cmdactive[k], f.cmdover[k], caption(captionLabelOfButton(k)), false});
    buttons.append({f.Image4, f.Image2, QStringLiteral("Minimise"), true});
    buttons.append({f.Image3, f.Image1, QStringLiteral("Close"), true});
    return buttons;
}
