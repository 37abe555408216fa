#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds everything (installing what it needs) and runs every test: the format
# check, the suite, the suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, each fuzzer for a bounded time, and the browser
# build in a headless Chromium.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"

FUZZ_SECONDS="${FUZZ_SECONDS:-20}"
passed=0
failed=0

need_packages "${PLAY_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

# Every C++ file git knows under these folders, in the repository's format.
echo "== Format"
mapfile -d '' sources < <(cd "$ROOT" && git ls-files -z -- \
    'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tools/*.h' 'tests/*.cpp' 'tests/*.h' \
    'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
if [ ${#sources[@]} -eq 0 ]; then
    echo "format: no C++ files found (not a git checkout?)" >&2
    failed=$((failed + 1))
elif (cd "$ROOT" && clang-format --dry-run -Werror "${sources[@]}"); then
    echo "format: ${#sources[@]} files as .clang-format has them"
    passed=$((passed + 1))
else
    echo "format: FAILED; run clang-format -i on the files named above" >&2
    failed=$((failed + 1))
fi

# Runs ctest in a build directory and adds its counts to the totals.
run_suite() {
    local dir="$1" log
    log="$(mktemp)"
    if (cd "$dir" && ctest --output-on-failure -j "$(nproc)") 2>&1 | tee "$log"; then :; fi
    local total bad
    total=$(sed -n 's/.* tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
    bad=$(sed -n 's/.*, \([0-9]*\) tests failed out of.*/\1/p' "$log" | tail -n 1)
    if [ -z "$total" ]; then
        echo "ctest in $dir reported nothing" >&2
        failed=$((failed + 1))
    else
        passed=$((passed + total - bad))
        failed=$((failed + bad))
    fi
    rm -f "$log"
}

# What a player's build leaves off: the suite, the benchmarks, warnings as errors.
DEVELOPER=(-DREEDGUNNER_TESTS=ON -DREEDGUNNER_BENCH=ON -DREEDGUNNER_WERROR=ON)

echo "== Build and test"
build_tree "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${DEVELOPER[@]}"
run_suite "$ROOT/build"

echo "== Build and test under ASan + UBSan"
build_tree "$ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DREEDGUNNER_SANITIZE=ON "${DEVELOPER[@]}"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite "$ROOT/build-asan"

echo "== Fuzz (${FUZZ_SECONDS} s each)"
build_tree "$ROOT/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREEDGUNNER_FUZZ=ON \
    -DREEDGUNNER_WERROR=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
# Each fuzzer starts from the files the game really reads (fuzz/real_seeds.sh)
# and from the small hand-made cases in fuzz/seeds/.
"$ROOT/fuzz/real_seeds.sh" "$ROOT/build" "$ROOT/build-fuzz/seeds" || {
    echo "the fuzzers' seeds could not be gathered" >&2
    failed=$((failed + 1))
}
for fuzzer in "$ROOT"/build-fuzz/bin/fuzz_*; do
    name="$(basename "$fuzzer")"
    corpus="$ROOT/build-fuzz/corpus/$name"
    real="$ROOT/build-fuzz/seeds/$name"
    mkdir -p "$corpus" "$real"
    seeds="$ROOT/fuzz/seeds/${name#fuzz_}"
    [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
    if (cd "$ROOT/build-fuzz" && "$fuzzer" -max_total_time="$FUZZ_SECONDS" -timeout=10 \
            -rss_limit_mb=2048 -print_final_stats=0 "$corpus" "$real" >"$ROOT/build-fuzz/$name.log" 2>&1); then
        echo "$name: no findings ($(grep -o 'DONE.*' "$ROOT/build-fuzz/$name.log" | tail -n 1))"
        passed=$((passed + 1))
    else
        echo "$name: FAILED, see build-fuzz/$name.log" >&2
        tail -n 40 "$ROOT/build-fuzz/$name.log" >&2
        failed=$((failed + 1))
    fi
done

# The browser build in Chromium: the same frames as the native script runner,
# a player's session through real input (reaching the hunt before its data),
# a saved game across a reload, at most 10 MB (gzip) before the title.
echo "== Browser"
web_start=$SECONDS
if ! build_web; then
    echo "browser: the browser build FAILED" >&2
    failed=$((failed + 1))
elif ! (cd "$ROOT/tests/web" && npm ci --no-audit --no-fund --loglevel=error >/dev/null); then
    echo "browser: FAILED to install the test's driver (npm ci in tests/web)" >&2
    failed=$((failed + 1))
else
    status=0
    node "$ROOT/tests/web/web_test.mjs" "$ROOT/build-web/site" "$ROOT/build" || status=$?
    if [ "$status" -eq 0 ]; then
        passed=$((passed + 1))
    elif [ "$status" -eq 77 ]; then
        echo "browser: SKIPPED, Chromium cannot start here"
    else
        echo "browser: FAILED" >&2
        failed=$((failed + 1))
    fi
fi
echo "browser: $((SECONDS - web_start)) s with the build"

echo "== Summary"
echo "total: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
