#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The processor share of a hunt in the browser build, in Chromium's real
# window, and in the native game, one after the other in the same virtual X
# server (1024x768: both pictures at 1x, the native window being the largest
# whole multiple that fits), with the X server's own share beside each. Needs
# the native build with the benchmarks (reedgunner_idle_game, as
# bench/idle_cpu.sh), the browser build (./web.sh builds it) and the test's
# driver (npm ci in tests/web). Usage: bench/web_cpu.sh [seconds] [build dir]
# (default 20 and build/).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

# Inside the X server (this script again): its process is the Xvfb serving
# $DISPLAY; the scratch folders are the caller's.
if [ "${1:-}" = "--inside" ]; then
    seconds="$2" build="$3" xserver=""
    for pid in $(pgrep -x Xvfb); do
        if tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q "Xvfb $DISPLAY "; then xserver="$pid"; fi
    done
    ticks() {
        if [ -n "$xserver" ]; then awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$xserver/stat"; else echo 0; fi
    }
    # The native hunt measures itself; the X server over its whole run.
    before="$(ticks)"
    native="$(SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$build/bin/reedgunner_idle_game" hunt "$seconds")"
    after="$(ticks)"
    echo "native hunt in a window: $native; the X server" \
        "$(awk -v t=$((after - before)) -v s="$seconds" 'BEGIN { printf "%.2f %%", t / s }')"
    REEDGUNNER_WEB_WINDOW=1 REEDGUNNER_WEB_CPU_SECONDS="$seconds" REEDGUNNER_WEB_CPU_XSERVER="$xserver" \
        node "$root/tests/web/web_test.mjs" "$root/build-web/site" "$build" 2>&1 |
        grep -E "hunt:|FAIL" || true
    exit 0
fi

seconds="${1:-20}"
build="$(cd "${2:-$root/build}" && pwd)"
[ -f "$root/build-web/site/reedgunner.wasm" ] || { echo "no browser build: run ./web.sh first" >&2; exit 1; }
[ -x "$build/bin/reedgunner_idle_game" ] || { echo "build $build/bin/reedgunner_idle_game first" >&2; exit 1; }
(cd "$root/tests/web" && [ -d node_modules ] || npm ci --no-audit --no-fund --loglevel=error >/dev/null)
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/pellmar"
printf '[Settings]\nCDROM=%s\n' "$build/data" >"$scratch/pellmar/Settings.ini"
export XDG_STATE_HOME="$scratch" XDG_CONFIG_HOME="$scratch" XDG_DATA_HOME="$scratch"
unset REEDGUNNER_HEADLESS
xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$seconds" "$build"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
