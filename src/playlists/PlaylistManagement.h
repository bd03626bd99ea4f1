#pragma once

struct Form;

void CreatePlaylist(Form& form);
void DeletePlaylist(Form& form);
// An entry of playlists became selected: show that playlist's songs in playlistsons.
void playlists_Click(Form& form);
// Re-reads the playlists folder into playlists and selects (and shows) the first playlist.
void ListPlaylists(Form& form);
