#!/usr/bin/env bash
# Takes the README's pictures of the real window: the four pages and the tutorial, on a virtual
# X server, over a demo program folder made in /tmp. Writes docs/screenshots/*.png.
# Uses the executable named by $TOVIA_EXECUTABLE, or builds a release as tools/run.sh does.
# The window is driven as a user drives it: by clicks at the sidebar's places.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/packages.sh

out=docs/screenshots
title='^The Tovia 3 Music Manager$'

# Window coordinates in pixels (twips / 15): the sidebar buttons' centres, the tutorial link,
# and bare spots of the window and of the page area, which put the highlights out.
welcome_button=(108 347)
playlists_button=(108 395)
library_button=(108 443)
settings_button=(108 491)
tutorial_link=(600 568)
folder_list=(300 114)
bare_window=(15 250)
bare_page=(790 70)

click() {
    xdotool mousemove --window "$window" "$1" "$2" click 1
    xdotool mousemove --window "$window" "${bare_window[@]}"
    xdotool mousemove --window "$window" "${bare_page[@]}"
    sleep 0.5 # the window repaints
}

# Opens one folder of the library page's folder list from the keyboard: type its name, Enter.
open_folder() {
    xdotool type --window "$window" --delay 50 "$1"
    xdotool key --window "$window" Return
    sleep 0.5
}

shot() {
    import -window "$window" "$out/$1.png"
    echo "$out/$1.png"
}

# Runs on the virtual display: start the program, take the pictures, end it.
inside() {
    local demo=$1
    "$demo/tovia3-music-manager" &
    local program=$!
    window=$(xdotool search --sync --onlyvisible --name "$title" | head -n1)
    sleep 1
    xdotool mousemove --window "$window" "${bare_page[@]}"
    mkdir -p "$out"
    shot welcome
    click "${playlists_button[@]}" && shot playlists
    click "${library_button[@]}"
    # Browse to the demo's music, as a user would: a click into the folder list, then the keys.
    click "${folder_list[@]}"
    open_folder tmp
    open_folder "$(basename "$demo")"
    open_folder "My Music"
    xdotool mousemove --window "$window" "${bare_page[@]}"
    shot library
    click "${settings_button[@]}" && shot settings
    click "${welcome_button[@]}"
    click "${tutorial_link[@]}" && shot tutorial
    kill "$program"
    wait "$program" || true
}

if [ "${1:-}" = --inside ]; then
    inside "$2"
    exit
fi

install_missing xvfb xauth imagemagick xdotool
if [ -n "${TOVIA_EXECUTABLE:-}" ]; then
    executable=$TOVIA_EXECUTABLE
else
    # shellcheck disable=SC2086
    install_missing $BUILD_PACKAGES
    cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
    cmake --build build-release -j"$(nproc)" --target tovia3-music-manager
    executable=build-release/tovia3-music-manager
fi

# The demo program folder: the program, a library, three playlists and the state file.
demo=$(mktemp -d /tmp/tovia3-demo.XXXXXX)
trap 'rm -rf "$demo"' EXIT
cp "$executable" "$demo/tovia3-music-manager"
mkdir -p "$demo/Library" "$demo/Playlists" "$demo/Custom Music"
samples=(tests/data/tone-a.mp3 tests/data/tone-b.mp3 tests/data/tone-c.mp3)
songs=("Harbour Lights" "Lanterns at Dusk" "Morning Tide" "Northern Road" "Stormwatch"
    "The Long March" "Wind over the Keep")
for i in "${!songs[@]}"; do
    cp "${samples[i % 3]}" "$demo/Library/${songs[i]}.mp3"
done
# Music elsewhere on the computer, for the library page's browser.
mkdir -p "$demo/My Music"
for song in "Campfire Tales" "Harbour Lights" "Sea of Glass" "Songs of the Old Guard"; do
    cp "${samples[0]}" "$demo/My Music/$song.mp3"
done
playlist() {
    local name=$1
    shift
    mkdir -p "$demo/Playlists/$name"
    for song in "$@"; do
        cp "$demo/Library/$song.mp3" "$demo/Playlists/$name/"
    done
}
playlist Adventure "Morning Tide" "Northern Road" "The Long March" "Wind over the Keep"
playlist Battle "Stormwatch" "The Long March"
playlist "Quiet Evenings" "Harbour Lights" "Lanterns at Dusk"
printf 'Adventure\r\n3/14/2024 8:15:42 PM\r\n%s\r\n' "$demo/Custom Music" >"$demo/data.txt"

# No sound device is needed: the previews are never started.
xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -nolisten tcp" \
    bash "$0" --inside "$demo"
