#!/usr/bin/env bash
# Builds the libFuzzer programs with clang and runs each one for a while, by hand:
#
#   bash fuzz/run.sh [seconds per target, default 60] [target ...]
#
# Targets: statefile playlistname pattern deletionguard (all by default). New inputs are kept
# in <build>/corpus/<target>/ (the committed corpus in fuzz/corpus/ is only read), inputs that
# break a property in <build>/crashes/<target>/. The build folder is build-fuzz, or
# $TOVIA_FUZZ_BUILD.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/packages.sh
# shellcheck disable=SC2086
install_missing $BUILD_PACKAGES $TEST_PACKAGES

seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(statefile playlistname pattern deletionguard)
build="${TOVIA_FUZZ_BUILD:-build-fuzz}"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVIA_SANITIZE=ON -DTOVIA_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
export QT_QPA_PLATFORM=offscreen
status=0
for target in "${targets[@]}"; do
    mkdir -p "$build/corpus/$target" "$build/crashes/$target"
    echo "== $target: $seconds s"
    if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$target/" "$build/corpus/$target" "fuzz/corpus/$target" \
        >"$build/fuzz-$target.log" 2>&1; then
        echo "   broke a property: see $build/fuzz-$target.log and $build/crashes/$target/"
        status=1
    fi
    grep -E '^stat::number_of_executed_units|^stat::new_units_added' "$build/fuzz-$target.log" |
        sed 's/^/   /'
done
exit $status
