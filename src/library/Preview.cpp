#include "library/Preview.h"

#include "form/FolderLayout.h"
#include "form/Form.h"
#include "widgets/FileList.h"
#include "widgets/PreviewPlayer.h"

void PlayPreview(PreviewPlayer* player, const QString& path) {
    player->setUrl(path);
    player->play();
}

void StopPreview(PreviewPlayer* player) {
    player->setUrl(QString());
}

void RefreshLibraryLists(Form& form) {
    form.File4->refresh();
    form.File3->refresh();
    form.librarysongs->clear();
    form.File3->setFolder(FolderLayout::libraryFolder(form.programFolder));
    FillLibrarySongs(form);
}

void FillLibrarySongs(Form& form) {
    form.librarysongs->setItems(form.File3->items());
    // File3's entries arrive already cut to the list limit, so librarysongs cannot tell by
    // itself that the library holds more; it shows File3's note instead.
    if (form.File3->isTruncated())
        form.librarysongs->setToolTip(form.File3->toolTip());
}
