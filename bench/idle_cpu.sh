#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Frugality: how much of one core a screen that only waits for input uses,
# and the game's own roster, main screen and hunt, with the real SDL video
# driver on a virtual X server. Usage:
#   bench/idle_cpu.sh [build dir] [seconds]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
SECONDS_TO_RUN="${2:-10}"
PROGRAM="$BUILD/bin/reedgunner_idle"
GAME="$BUILD/bin/reedgunner_idle_game"
DATA="$BUILD/data"
[ -x "$PROGRAM" ] || { echo "build $PROGRAM first" >&2; exit 1; }
[ -x "$GAME" ] || { echo "build $GAME first" >&2; exit 1; }

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
export XDG_STATE_HOME="$scratch" XDG_CONFIG_HOME="$scratch"
unset REEDGUNNER_HEADLESS
# Both renderers: the default settings (accelerated first), then software only.
for settings in "DirectX=1 DirectVideo=1" "DirectX=0 DirectVideo=1"; do
    mkdir -p "$scratch/pellmar"
    printf '[Settings]\n%s\n' "${settings// /$'\n'}" >"$scratch/pellmar/Settings.ini"
    for mode in wait pace; do
        echo -n "$settings: "
        SDL_VIDEODRIVER=x11 xvfb-run -a -s "-screen 0 1920x1080x24" \
            "$PROGRAM" "$mode" "$SECONDS_TO_RUN"
    done
    # The game itself on the generated data, without a sound device.
    printf 'CDROM=%s\n' "$DATA" >>"$scratch/pellmar/Settings.ini"
    for screen in roster main hunt; do
        echo -n "$settings: "
        SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1920x1080x24" \
            "$GAME" "$screen" "$SECONDS_TO_RUN"
    done
done
