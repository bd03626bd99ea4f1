#pragma once

#include <QString>

struct Form;
class PreviewPlayer;

// Loads a song into a player and plays it; the path is passed on as it is.
void PlayPreview(PreviewPlayer* player, const QString& path);
// Stops the player and releases its file, so that the file can be deleted or replaced.
void StopPreview(PreviewPlayer* player);
// Re-reads the library folder into File4, File3 and librarysongs (no selection afterwards).
void RefreshLibraryLists(Form& form);
// Copies File3's names into librarysongs, which then has no selection.
void FillLibrarySongs(Form& form);
