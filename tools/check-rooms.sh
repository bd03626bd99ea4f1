#!/usr/bin/env bash
# Fails when a room of src/ includes a header of a room on its own floor or above it, so that the
# rooms stay in layers without a circle. One floor a line, the top floor first.
set -euo pipefail
cd "$(dirname "$0")/../src"
floors=(
    "app"
    "drop"
    "ui playlists game"
    "library"
    "form"
    "widgets fs platform"
)

declare -A floor_of
for i in "${!floors[@]}"; do
    for room in ${floors[$i]}; do floor_of[$room]=$i; done
done

status=0
for dir in */; do
    room=${dir%/}
    if [ -z "${floor_of[$room]+set}" ]; then
        echo "src/$room/ is on no floor: add it to tools/check-rooms.sh and the README"
        status=1
        continue
    fi
    while IFS=: read -r file line target; do
        [ "$target" = "$room" ] && continue
        if [ -z "${floor_of[$target]+set}" ] || [ "${floor_of[$target]}" -le "${floor_of[$room]}" ]; then
            echo "src/$file:$line: the $room room includes $target/, which is not below it"
            status=1
        fi
    done < <(grep -rnoE '^#include "[a-z]+/' "$room" | sed -E 's/#include "//; s#/$##')
done
[ $status -eq 0 ] && echo "Every include points down: ${floors[*]}"
exit $status
