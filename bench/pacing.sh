#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The hunt's pacing in a real window: the intervals between hunt steps and
# between game minutes, then the main thread's wake-ups and the pointer while
# the partner talks, with the real SDL video driver on a virtual X server
# (xdotool moves the mouse). Usage:
#   bench/pacing.sh [build dir] [seconds]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
SECONDS_TO_RUN="${2:-60}"
PROGRAM="$BUILD/bin/reedgunner_pacing"
DATA="$BUILD/data"
[ -x "$PROGRAM" ] || { echo "build $PROGRAM first" >&2; exit 1; }
command -v xdotool >/dev/null || { echo "install xdotool (scripts/setup.sh)" >&2; exit 1; }

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
export XDG_STATE_HOME="$scratch" XDG_CONFIG_HOME="$scratch"
unset REEDGUNNER_HEADLESS
mkdir -p "$scratch/pellmar"
# The software renderer, the game's data; the dummy sound driver still plays
# the voice in real time.
printf '[Settings]\nDirectX=0\nDirectVideo=1\nCDROM=%s\n' "$DATA" >"$scratch/pellmar/Settings.ini"
SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1920x1080x24" \
    "$PROGRAM" "$SECONDS_TO_RUN"
