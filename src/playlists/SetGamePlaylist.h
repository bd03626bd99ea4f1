#pragma once

struct Form;

// Makes the playlist chosen on the welcome page the game's music.
void SetGamePlaylist(Form& form);
