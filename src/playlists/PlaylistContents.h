#pragma once

struct Form;

void AddSongsToPlaylist(Form& form);
void AddAllToPlaylist(Form& form);
void RemovePlaylistSong(Form& form);
void ClearPlaylist(Form& form);
