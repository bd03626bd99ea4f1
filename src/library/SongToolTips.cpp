#include "library/SongToolTips.h"

#include "form/FolderLayout.h"
#include "form/Form.h"
#include "widgets/FileList.h"
#include "widgets/SongDetails.h"

#include <memory>

void installSongToolTips(Form& f) {
    // One cache for the window: the same library song shows up in several lists.
    auto details = std::make_shared<SongDetails>();
    for (FileList* list : {f.File1, f.File4, f.File5, f.playlistsons}) {
        list->setToolTipSource(
            [details, list](int row) { return details->describe(list->pathOf(list->item(row))); });
    }
    // librarysongs holds bare names of the library folder, as its double-click reads them.
    ListBox* library = f.librarysongs;
    library->setToolTipSource([details, library, &f](int row) {
        return details->describe(
            FolderLayout::join(FolderLayout::libraryFolder(f.programFolder), library->item(row)));
    });
}
