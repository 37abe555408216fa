#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# A long fuzzing run: every fuzzer in turn, one at a time and at low priority,
# for RUNS executions each (a million unless told), from the real files and
# the corpus earlier runs left in build-fuzz/corpus/. Prints each fuzzer's
# executions, time and coverage; stops at the first finding.
#   fuzz/campaign.sh [RUNS] [FUZZER...]
set -euo pipefail
source "$(dirname "$0")/../scripts/setup.sh"

runs="${1:-1000000}"
shift || true
need_packages "${PLAY_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build_tree "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
build_tree "$ROOT/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREEDGUNNER_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
"$ROOT/fuzz/real_seeds.sh" "$ROOT/build" "$ROOT/build-fuzz/seeds"

# Cheapest first. A few inputs are capped below libFuzzer's own 1 MiB so that a
# million runs take hours, not days: the banks and backgrounds the game reads
# stay whole up to 320 KiB (only the sprites are cut), the wave images up to
# 64 KiB (the effects stay whole, the music keeps its start), the scenes up to
# 64 KiB (their seeds with a small picture stay whole).
fuzzers=("$@")
[ ${#fuzzers[@]} -gt 0 ] || fuzzers=(fuzz_settings fuzz_options fuzz_lipsync fuzz_background
    fuzz_sound_bank fuzz_fonts fuzz_captions fuzz_wav fuzz_graphics fuzz_decoys fuzz_replay)
max_len() {
    case "$1" in
        fuzz_wav) echo 65536 ;;
        fuzz_graphics | fuzz_sound_bank) echo 327680 ;;
        fuzz_decoys) echo 65536 ;;
        *) echo 0 ;;
    esac
}
printf '%-16s %12s %8s %7s %7s %7s\n' fuzzer executions seconds cov ft corpus
for name in "${fuzzers[@]}"; do
    corpus="$ROOT/build-fuzz/corpus/$name"
    seeds="$ROOT/build-fuzz/seeds/$name"
    log="$ROOT/build-fuzz/$name.campaign.log"
    mkdir -p "$corpus" "$seeds"
    hand="$ROOT/fuzz/seeds/${name#fuzz_}"
    [ -d "$hand" ] && cp -n "$hand"/* "$corpus"/ 2>/dev/null || true
    start=$SECONDS
    if ! (cd "$ROOT/build-fuzz" && nice -n 19 "bin/$name" -runs="$runs" -max_len="$(max_len "$name")" -timeout=10 \
            -rss_limit_mb=2048 -print_final_stats=1 "$corpus" "$seeds" >"$log" 2>&1); then
        echo "$name: FINDING, see $log" >&2
        tail -n 40 "$log" >&2
        exit 1
    fi
    last="$(grep -E '^#[0-9]+' "$log" | tail -n 1)"
    executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    cov="$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")"
    ft="$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")"
    corp="$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$last")"
    printf '%-16s %12s %8s %7s %7s %7s\n' "$name" "$executions" $((SECONDS - start)) \
        "$cov" "$ft" "$corp"
done
