#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/packages.sh
# shellcheck disable=SC2086
install_missing $BUILD_PACKAGES $TEST_PACKAGES

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTOVIA_SANITIZE=ON
cmake --build build-sanitize -j"$(nproc)"
# No display, no sound device and no standard input are needed.
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)" </dev/null
