#pragma once

#include <QList>
#include <QUrl>

struct Form;

// Adds files dropped onto the library page to the library as "Add Song to Library" adds one:
// each MP3 is copied into the library folder (atomically, replacing a song of the same name),
// then the library lists are rebuilt. Anything else (a folder, a file that is not an MP3, an
// address that is not on this computer) is refused, and one report names what was not added.
void AddDroppedSongs(Form& form, const QList<QUrl>& urls);
