#include "form/LayoutTable.h"

#include "form/Contact.h"

#include <QString>

namespace Layout {

namespace {

using K = Kind;
using C = Container;
using F = Font;
constexpr Art noArt = Art::WindowBackground; // unused by controls that are not pictures

Control label(const char* name, int index, C in, const char* caption, int l, int t, int w, int h,
              F font, unsigned flags = 0) {
    return {name, index, K::Label, in, caption, l, t, w, h, font, flags, noArt};
}

Control picture(const char* name, int index, C in, Art art, int l, int t, int w, int h,
                unsigned flags = 0) {
    return {name, index, K::Picture, in, "", l, t, w, h, F::None, flags, art};
}

Control control(const char* name, K kind, C in, int l, int t, int w, int h, F font = F::None,
                unsigned flags = 0, const char* caption = "") {
    return {name, -1, kind, in, caption, l, t, w, h, font, flags, noArt};
}

// An action button: its normal and highlighted picture at one place.
void actionButton(std::vector<Control>& rows, int index, C in, int l, int t) {
    rows.push_back(picture("cmdactive", index, in, Art::ActionButton, l, t, 2055, 465, Stretched));
    rows.push_back(
        picture("cmdover", index, in, Art::ActionButtonOver, l, t, 2055, 465, Stretched | Hidden));
}

std::vector<Control> build() {
    std::vector<Control> r;
    const C W = C::Window;

    // Window level, bottom of the stack first.
    r.push_back(label("title", -1, W, "The Tovia 3 Music Manager", 4200, 160, 4695, 375, F::Title,
                      Centred | Opaque));
    r.push_back(picture("Image4", -1, W, Art::Minimise, 11670, 130, 360, 360));
    r.push_back(picture("Image2", -1, W, Art::MinimiseOver, 11650, 100, 405, 405, Hidden));
    r.push_back(picture("Image3", -1, W, Art::Close, 12080, 130, 375, 360));
    r.push_back(picture("Image1", -1, W, Art::CloseOver, 12080, 120, 390, 375, Hidden));
    struct Side {
        const char *normal, *over, *arrow;
        int labelIndex;
        const char* caption;
        int top, labelTop, arrowTop;
    };
    const Side sides[] = {
        {"sidebutton1", "sidebutton4", "sidearrow1", 0, "Welcome", 4920, 5090, 4800},
        {"sidebutton2", "sidebutton5", "sidearrow2", 1, "Playlists", 5640, 5800, 5520},
        {"sidebutton3", "sidebutton6", "sidearrow3", 2, "Library", 6360, 6520, 6240},
        {"sidebutton7", "sidebutton8", "sidearrow4", 37, "Settings", 7080, 7250, 6960},
    };
    for (const Side& s : sides) {
        r.push_back(picture(s.normal, -1, W, Art::ActionButton, 360, s.top, 2535, 585, Stretched));
        r.push_back(picture(s.over, -1, W, Art::ActionButtonOver, 360, s.top, 2535, 585,
                            Stretched | Hidden));
        r.push_back(label("sidelables", s.labelIndex, W, s.caption, 600, s.labelTop, 2055, 255,
                          F::Bold9, Centred));
        r.push_back(picture(s.arrow, -1, W, Art::SideArrow, 2970, s.arrowTop, 420, 750, Hidden));
    }
    r.push_back(label("version", 0, W, "Version:", 1320, 8160, 735, 255, F::SansSmall));
    r.push_back(label("version", 1, W, "1.3", 1320, 8400, 735, 255, F::SansSmall, Centred));
    r.push_back(picture("helpboxcurs", -1, W, Art::HandPointer, 1560, 2800, 480, 480, Hidden));

    // The four pages lie on one rectangle, above everything drawn on the window.
    r.push_back(control("welcome", K::Page, W, 3480, 840, 8655, 7935, F::Bold9));
    r.push_back(control("playlistframe", K::Page, W, 3480, 840, 8655, 7935, F::Bold9, Hidden));
    r.push_back(control("libraryframe", K::Page, W, 3480, 840, 8655, 7935, F::Bold9, Hidden));
    r.push_back(control("settings_frame", K::Page, W, 3480, 840, 8655, 7935, F::Bold9, Hidden));

    // Welcome page.
    const C wp = C::welcome;
    r.push_back(label("sidelables", 18, wp, "Welcome,", 120, 120, 855, 225, F::Bold9, SizedToText));
    r.push_back(label("sidelables", 19, wp, "Your game's current playlist is:", 360, 540, 2505, 225,
                      F::Regular9, SizedToText));
    r.push_back(
        label("sidelables", 20, wp, "Playlist name", 3000, 540, 1140, 225, F::Bold9, SizedToText));
    r.push_back(label("sidelables", 21, wp, "Last Updated:", 1700, 840, 1155, 225, F::Regular9,
                      SizedToText));
    r.push_back(
        label("sidelables", 22, wp, "Playlist name", 3000, 840, 1140, 225, F::Bold9, SizedToText));
    r.push_back(label("sidelables", 17, wp, "Select a new Playlist:", 120, 1200, 1800, 225,
                      F::Bold9, SizedToText));
    r.push_back(
        control("List1", K::ListBox, wp, 2040, 1200, 3135, 1230, F::PlaylistList, LightCyan));
    actionButton(r, 0, wp, 2760, 2520);
    r.push_back(label("sidelables", 23, wp, "Update/Change Playlist", 2760, 2640, 2055, 255,
                      F::ButtonCaption, Centred));
    r.push_back(picture("startgame", -1, wp, Art::PlayGame, 6240, 600, 1455, 1485, HandCursor));
    r.push_back(picture("startgame2", -1, wp, Art::PlayGameOver, 6240, 600, 1455, 1485,
                        Hidden | HandCursor));
    r.push_back(label("sidelables", 36, wp, "Play Game with selected Playlist", 5640, 2160, 2745,
                      225, F::Bold9, SizedToText));
    r.push_back(label("sidelables", 24, wp, "Songs on Playlist:", 120, 3120, 1500, 225, F::Bold9,
                      SizedToText));
    r.push_back(control("File1", K::FileList, wp, 120, 3360, 8415, 2130, F::SansLarge,
                        LightCyan | SongPattern));
    r.push_back(control("WindowsMediaPlayer3", K::Player, wp, 2160, 5520, 3360, 675));
    r.push_back(label("sidelables", 31, wp, "Program Credits:", 240, 6360, 1455, 225, F::Bold9,
                      SizedToText));
    r.push_back(label("sidelables", 32, wp, "Programed by:", 840, 6600, 1200, 225, F::Regular9,
                      SizedToText));
    r.push_back(label("sidelables", 33, wp, Contact::authorName, 2160, 6600, 1485, 225, F::Regular9,
                      SizedToText));
    r.push_back(label("sidelables", 34, wp,
                      "Please feel free to e-mail me any question or comments on the program", 1200,
                      6840, 5910, 225, F::Regular9, SizedToText));
    r.push_back(label("sidelables", 35, wp, Contact::address, 3240, 7080, 2175, 270, F::SongList,
                      SizedToText));
    r.push_back(label("sidelables", 30, wp, "Run First time Tutorial Again >>", 5040, 7560, 3375,
                      255, F::Link, SizedToText));

    // Playlists page.
    const C pp = C::playlistframe;
    r.push_back(label("sidelables", 6, pp, "Your Playlist's:", 120, 75, 1695, 255, F::Bold9));
    r.push_back(
        control("playlists", K::ListBox, pp, 120, 360, 2535, 1155, F::Bold9, LightCyan | Sorted));
    r.push_back(control("Dir2", K::DirList, pp, 360, 480, 1095, 315, F::None, Hidden));
    actionButton(r, 1, pp, 2880, 360);
    r.push_back(label("sidelables", 5, pp, "Delete Playlist", 3120, 480, 1575, 255,
                      F::ButtonCaption, Centred));
    r.push_back(label("sidelables", 4, pp, "Create New Playlist:", 5880, 75, 1695, 255, F::Bold9));
    r.push_back(
        control("newplaylistname", K::TextBox, pp, 5880, 480, 2535, 375, F::SansText, LightCyan));
    actionButton(r, 2, pp, 6240, 960);
    r.push_back(label("sidelables", 7, pp, "Create Playlist", 6360, 1080, 1815, 255,
                      F::ButtonCaption, Centred));
    r.push_back(control("WindowsMediaPlayer1", K::Player, pp, 2760, 1080, 3360, 675));
    r.push_back(label("sidelables", 3, pp, "Songs On Playlist:", 0, 1635, 2055, 255, F::Bold9));
    r.push_back(
        control("playlistsons", K::FileList, pp, 240, 1920, 8295, 2190, F::SongList, LightCyan));
    actionButton(r, 3, pp, 1680, 4200);
    r.push_back(label("sidelables", 11, pp, "Remove Selected Song", 1745, 4320, 1935, 255,
                      F::ButtonCaption, Centred));
    actionButton(r, 4, pp, 4680, 4200);
    r.push_back(label("sidelables", 12, pp, "Clear Playlist", 4800, 4320, 1815, 255,
                      F::ButtonCaption, Centred));
    r.push_back(label("sidelables", 9, pp, "Songs in Library:", 0, 4635, 1455, 255, F::Bold9));
    r.push_back(control("librarysongs", K::ListBox, pp, 240, 4920, 8295, 2460, F::SongList,
                        LightCyan | MultiSelect));
    r.push_back(control("File3", K::FileList, pp, 120, 4920, 7935, 2430, F::SansLarge, Hidden));
    actionButton(r, 5, pp, 1680, 7440);
    r.push_back(label("sidelables", 8, pp, "Add song(s) to Playlist", 1680, 7560, 2055, 255,
                      F::ButtonCaption, Centred));
    actionButton(r, 6, pp, 4680, 7440);
    r.push_back(label("sidelables", 10, pp, "Add All to Playlist", 4800, 7560, 1815, 255,
                      F::ButtonCaption, Centred));

    // Library page.
    const C lp = C::libraryframe;
    r.push_back(
        label("sidelables", 13, lp, "Music on your Computer:", 120, 120, 2895, 255, F::Bold9));
    r.push_back(control("Drive1", K::DriveList, lp, 120, 360, 2655, 315, F::None, LightCyan));
    r.push_back(control("Dir3", K::DirList, lp, 120, 720, 2655, 3015, F::None, LightCyan));
    r.push_back(control("File5", K::FileList, lp, 2880, 720, 5775, 3000, F::SongList,
                        LightCyan | SongPattern));
    r.push_back(control("WindowsMediaPlayer2", K::Player, lp, 3960, 0, 3360, 675));
    actionButton(r, 7, lp, 3360, 3840);
    r.push_back(label("sidelables", 14, lp, "Add Song to Library", 3480, 3960, 1815, 255,
                      F::ButtonCaption, Centred));
    r.push_back(label("sidelables", 16, lp, "Music in Library:", 120, 4320, 2895, 375, F::Bold9));
    r.push_back(control("File4", K::FileList, lp, 120, 4560, 8535, 2730, F::SongList,
                        LightCyan | SongPattern));
    actionButton(r, 8, lp, 3360, 7320);
    r.push_back(label("sidelables", 15, lp, "Remove from Library", 3480, 7440, 1815, 255,
                      F::ButtonCaption, Centred));

    // Settings page.
    const C sp = C::settings_frame;
    r.push_back(label("sidelables", 38, sp, "Current Path to your Tovia 3 Music  Folder:", 120, 120,
                      3615, 255, F::Bold9));
    r.push_back(label("lblsetting_path", -1, sp, "", 600, 600, 1980, 240, F::Path,
                      LightCyan | Opaque | SizedToText));
    r.push_back(label("sidelables", 39, sp, "Find your games custom music folder:", 120, 1080, 3615,
                      255, F::Bold9));
    r.push_back(label("sidelables", 40, sp,
                      "(It's normally in the administrators documents under 'Quillon "
                      "Interactive\\The Tovia 3\\Custom Music')",
                      240, 1320, 7830, 225, F::Regular9, SizedToText));
    r.push_back(
        control("settings_Drive", K::DriveList, sp, 360, 1680, 2655, 315, F::None, LightCyan));
    r.push_back(
        control("settings_Dir", K::DirList, sp, 3240, 1680, 2655, 3015, F::None, LightCyan));
    actionButton(r, 9, sp, 1800, 5040);
    r.push_back(label("sidelables", 41, sp, "Change Path", 1800, 5160, 2055, 255, F::ButtonCaption,
                      Centred));
    actionButton(r, 10, sp, 4080, 5040);
    r.push_back(label("sidelables", 42, sp, "Use Default Path", 4080, 5160, 2055, 255,
                      F::ButtonCaption, Centred));

    // Tutorial boxes, on one rectangle above the pages.
    struct Box {
        const char* name;
        C in;
        const char* caption;
    };
    const Box boxes[] = {
        {"HelpBox1", C::HelpBox1, "First Time Tutorial"},
        {"helpbox2", C::helpbox2, "First Time Tutorial Step: 1"},
        {"helpbox3", C::helpbox3, "First Time Tutorial Step: 2"},
        {"helpbox4", C::helpbox4, "First Time Tutorial Step: 3"},
    };
    const unsigned text = Centred | Wrapped;
    for (const Box& b : boxes) {
        r.push_back(control(b.name, K::HelpBox, W, 120, 360, 3135, 2295, F::Bold9,
                            Hidden | LightCyan, b.caption));
        switch (b.in) {
        case C::HelpBox1:
            r.push_back(label("sidelables", 25, b.in,
                              "Welcome to \"The Tovia 3  Music Manager\" I am going to show you "
                              "really quick how to use this wonderful tool!",
                              120, 480, 2865, 1065, F::Regular9, text));
            r.push_back(control("helpboxbm", K::PushButton, b.in, 1800, 1800, 1215, 375, F::None, 0,
                                "Start Tutorial >"));
            break;
        case C::helpbox2:
            r.push_back(label("sidelables", 26, b.in,
                              "First thing you need to do is search your computer for mp3's to "
                              "add to your Tovia Manager library.",
                              120, 480, 2865, 1065, F::Regular9, text));
            r.push_back(control("cmdhelp1", K::PushButton, b.in, 1800, 1800, 1215, 375, F::None, 0,
                                "Next Step >"));
            break;
        case C::helpbox3:
            r.push_back(label("sidelables", 27, b.in,
                              "Now that you added some mp3's to your library, lets create a "
                              "playlist for your game!",
                              120, 600, 2865, 1065, F::Regular9, text));
            r.push_back(control("cmdback1", K::PushButton, b.in, 120, 1800, 1215, 375, F::None, 0,
                                "< Back Step"));
            r.push_back(control("cmdhelp2", K::PushButton, b.in, 1800, 1800, 1215, 375, F::None, 0,
                                "Next Step >"));
            break;
        default:
            r.push_back(label("sidelables", 28, b.in,
                              "Now that you created a playlist lets set the playlist to play in "
                              "the game.",
                              120, 480, 2865, 465, F::Regular9, text));
            r.push_back(label("sidelables", 29, b.in,
                              "Tip: You can create mutliple playlists, so its easy and fast to "
                              "change your games music!",
                              120, 1080, 2865, 705, F::Regular9, text));
            r.push_back(control("cmdback2", K::PushButton, b.in, 120, 1800, 1215, 375, F::None, 0,
                                "< Back Step"));
            r.push_back(control("cmdhelp3", K::PushButton, b.in, 1800, 1800, 1215, 375, F::None, 0,
                                "Finished"));
            break;
        }
    }
    return r;
}

} // namespace

const std::vector<Control>& table() {
    static const std::vector<Control> rows = build();
    return rows;
}

QString objectName(const Control& control) {
    const QString name = QString::fromLatin1(control.name);
    return control.index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(control.index);
}

} // namespace Layout
