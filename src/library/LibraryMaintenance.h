#pragma once

struct Form;

// Copies the song selected in the computer browser into the library.
void AddSongToLibrary(Form& form);
// Deletes the song selected in the library listing, after a question.
void RemoveLibrarySong(Form& form);
