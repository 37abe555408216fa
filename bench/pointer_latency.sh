#!/usr/bin/env bash
# Pointer latency in a real window, with the game's own (software) pointer
# and with HardwarePointer=1: pointer move to photon and click to first
# changed pixel, on the roster, under Xvfb (whose framebuffer file holds the
# server's pointer as well). Usage:
#   bench/pointer_latency.sh [build dir] [moves] [clicks]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
MOVES="${2:-60}"
CLICKS="${3:-30}"
GAME="$BUILD/bin/reedgunner"
[ -x "$GAME" ] || { echo "build $GAME first" >&2; exit 1; }
command -v xdotool >/dev/null || { echo "install xdotool (scripts/setup.sh)" >&2; exit 1; }

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
g++ -O2 -std=c++20 -o "$scratch/probe" "$ROOT/bench/pointer_probe.cpp" -lX11 -l:libXtst.so.6

# One measurement: the game on its roster in a fresh folder, then the probe.
measure() {
    local hardware="$1"
    local home="$scratch/home$hardware"
    mkdir -p "$home/pellmar" "$scratch/fb$hardware"
    printf '[Settings]\nCDROM=%s\nHardwarePointer=%s\n' "$BUILD/data" "$hardware" \
        >"$home/pellmar/Settings.ini"
    echo "HardwarePointer=$hardware"
    # shellcheck disable=SC2016
    XDG_STATE_HOME="$home" XDG_CONFIG_HOME="$home" SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=x11 \
        xvfb-run -a -s "-screen 0 1920x1080x24 -fbdir $scratch/fb$hardware" sh -c '
            cd "$1"
            "$2" & game=$!
            window=$(xdotool search --sync --name "Reed Gunner" | head -1)
            sleep 4  # the title picture, then the roster
            "$3" "$window" "$4/Xvfb_screen0" "$5" "$6"
            kill $game; wait $game 2>/dev/null || true
        ' sh "$home" "$GAME" "$scratch/probe" "$scratch/fb$hardware" "$MOVES" "$CLICKS"
}

unset REEDGUNNER_HEADLESS
measure 0
measure 1
