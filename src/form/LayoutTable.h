#pragma once

#include "form/Artwork.h"

#include <vector>

// The window's controls as one table in twips (15 twips make one pixel at 96 dpi), in
// creation order: a later control is stacked above the earlier ones it overlaps.
namespace Layout {

enum class Kind {
    Label,
    Picture,
    Page,
    HelpBox,
    PushButton,
    ListBox,
    FileList,
    DirList,
    DriveList,
    TextBox,
    Player
};

enum class Container {
    Window,
    welcome,
    playlistframe,
    libraryframe,
    settings_frame,
    HelpBox1,
    helpbox2,
    helpbox3,
    helpbox4
};

enum class Font {
    None,
    Title,         // Arial 14.25 bold
    Bold9,         // Arial 9 bold
    Regular9,      // Arial 9
    ButtonCaption, // Arial 8.25 bold
    PlaylistList,  // Arial 9.75 bold
    Path,          // Arial 9.75
    SongList,      // Arial 11.25 bold
    Link,          // Arial 11.25 bold italic
    SansLarge,     // MS Sans Serif 12 bold
    SansText,      // MS Sans Serif 9.75 bold
    SansSmall,     // MS Sans Serif 8.25 bold
};

enum Flag : unsigned {
    Hidden = 1u << 0,
    Centred = 1u << 1,
    SizedToText = 1u << 2,
    Opaque = 1u << 3,    // label with its own background
    Wrapped = 1u << 4,   // text wrapped inside the rectangle
    LightCyan = 1u << 5, // lists, text box, path label, tutorial boxes
    Stretched = 1u << 6, // picture stretched to the control
    MultiSelect = 1u << 7,
    Sorted = 1u << 8,
    HandCursor = 1u << 9,
    SongPattern = 1u << 10, // file list showing only "*.mp3*"
};

struct Control {
    const char* name;
    int index; // -1 for a control that is not part of an array
    Kind kind;
    Container container;
    const char* caption;
    int left, top, width, height; // twips
    Font font;
    unsigned flags;
    Art picture;
};

const std::vector<Control>& table();

// "name" or "name(index)": the object name the window gives the control.
QString objectName(const Control& control);

inline int pixels(int twips) {
    return (twips + 7) / 15;
}

} // namespace Layout
