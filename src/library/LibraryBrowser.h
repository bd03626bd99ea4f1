#pragma once

#include <QString>

struct Form;

// How the song lists react to the user: browsing drives and folders, and previewing songs.
void Drive1_Change(Form& form, const QString& drive);
void Dir3_Change(Form& form);
void File5_DblClick(Form& form);
void File4_Click(Form& form);
void librarysongs_DblClick(Form& form, int row);
void playlistsons_DblClick(Form& form);
void File1_DblClick(Form& form);
// An entry of List1 became selected: show that playlist's songs and stop the welcome player.
void List1_Click(Form& form);
