#!/usr/bin/env bash
# Builds a release of the program, puts it into its program folder and starts it there.
# The program folder keeps data.txt, Library/ and Playlists/ across rebuilds and new clones.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/packages.sh
# shellcheck disable=SC2086
install_missing $BUILD_PACKAGES

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-release -j"$(nproc)" --target tovia3-music-manager

program_folder="${TOVIA_PROGRAM_FOLDER:-$HOME/.local/share/tovia3-music-manager}"
mkdir -p "$program_folder"
# Replace the executable by rename, so a running copy is not disturbed.
cp build-release/tovia3-music-manager "$program_folder/.tovia3-music-manager.new"
mv -f "$program_folder/.tovia3-music-manager.new" "$program_folder/tovia3-music-manager"
exec "$program_folder/tovia3-music-manager"
