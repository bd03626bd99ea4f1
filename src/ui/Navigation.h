#pragma once

struct Form;

// The four page routines: each shows its page, hides the others and stops the previews that
// belong to the pages being left. Only the welcome page re-reads anything.
void ShowWelcomePage(Form& form);
void ShowPlaylistsPage(Form& form);
void ShowLibraryPage(Form& form);
void ShowSettingsPage(Form& form);
