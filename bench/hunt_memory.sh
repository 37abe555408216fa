#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Peak memory (resident set) of the game during a hunt: a whole headless day at
# the Public Grounds through the script runner, then a hunt in a real window
# under Xvfb with each renderer (the window's figure includes SDL, X and, for
# the accelerated renderer, the OpenGL driver).
#   bench/hunt_memory.sh [build dir] [seconds in the window]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
SECONDS_TO_RUN="${2:-8}"
for program in reedgunner-script reedgunner_idle_game; do
    [ -x "$BUILD/bin/$program" ] || { echo "build $BUILD/bin/$program first" >&2; exit 1; }
done

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
export XDG_STATE_HOME="$scratch" XDG_CONFIG_HOME="$scratch"
mkdir -p pellmar snaps
printf '[Settings]\nCDROM=%s\n' "$BUILD/data" >pellmar/Settings.ini
REEDGUNNER_HEADLESS=1 /usr/bin/time -f "headless hunt day: peak %M KB, %e s" \
    "$BUILD/bin/reedgunner-script" "$ROOT/tests/app/day_script.txt" snaps >/dev/null
unset REEDGUNNER_HEADLESS
for settings in "DirectX=1 DirectVideo=1" "DirectX=0 DirectVideo=1"; do
    printf '[Settings]\n%s\nCDROM=%s\n' "${settings// /$'\n'}" "$BUILD/data" >pellmar/Settings.ini
    SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1920x1080x24" \
        /usr/bin/time -f "window, $settings: peak %M KB" \
        "$BUILD/bin/reedgunner_idle_game" hunt "$SECONDS_TO_RUN" >/dev/null
done
