#pragma once

struct Form;

// Gives every song row of every song list (File1, File4, File5, playlistsons, librarysongs) a
// tooltip with the song's title, artist, album and length, read when first asked for.
void installSongToolTips(Form& form);
