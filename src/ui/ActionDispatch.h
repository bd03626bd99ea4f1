#pragma once

// What a click on a clickable label or an action button does.
enum class Action {
    None,
    ShowWelcomePage,
    ShowPlaylistsPage,
    ShowLibraryPage,
    ShowSettingsPage,
    DeletePlaylist,
    CreatePlaylist,
    AddSongsToPlaylist,
    AddAllToPlaylist,
    RemovePlaylistSong,
    ClearPlaylist,
    AddSongToLibrary,
    RemoveLibrarySong,
    SetGamePlaylist,
    StartTutorial,
    EmailAuthor,
    ChangeMusicFolder,
    UseDefaultMusicFolder,
};

// The action of a click on sidelables(index); None for headings, texts and value labels.
Action labelAction(int index);
// The action of a click on either picture of action button index (0 to 10).
Action buttonAction(int index);
// The label that carries the caption of action button index.
int captionLabelOfButton(int index);
