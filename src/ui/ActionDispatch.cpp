#include "ui/ActionDispatch.h"

#include <array>

namespace {

struct ButtonRoute {
    int captionLabel;
    Action action;
};

constexpr std::array<ButtonRoute, 11> buttons{{
    {23, Action::SetGamePlaylist},
    {5, Action::DeletePlaylist},
    {7, Action::CreatePlaylist},
    {11, Action::RemovePlaylistSong},
    {12, Action::ClearPlaylist},
    {8, Action::AddSongsToPlaylist},
    {10, Action::AddAllToPlaylist},
    {14, Action::AddSongToLibrary},
    {15, Action::RemoveLibrarySong},
    {41, Action::ChangeMusicFolder},
    {42, Action::UseDefaultMusicFolder},
}};

} // namespace

Action labelAction(int index) {
    switch (index) {
    case 0:
        return Action::ShowWelcomePage;
    case 1:
        return Action::ShowPlaylistsPage;
    case 2:
        return Action::ShowLibraryPage;
    case 37:
        return Action::ShowSettingsPage;
    case 30:
        return Action::StartTutorial;
    case 35:
        return Action::EmailAuthor;
    default:
        break;
    }
    // An action button's caption acts as the button under it.
    for (const ButtonRoute& route : buttons) {
        if (route.captionLabel == index)
            return route.action;
    }
    return Action::None;
}

Action buttonAction(int index) {
    return index >= 0 && index < int(buttons.size()) ? buttons[index].action : Action::None;
}

int captionLabelOfButton(int index) {
    return index >= 0 && index < int(buttons.size()) ? buttons[index].captionLabel : -1;
}
