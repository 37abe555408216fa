#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Frugality: how much of one core a screen that only waits for input uses,
# and the game's own roster, main screen, store and hunt, with the real SDL video
# driver on a virtual X server, at each window scale (the window is the
# largest whole multiple of 640x480 the virtual screen holds). The game
# plays its sound to a PulseAudio server of its own with a null sink (SDL's
# silent driver without PulseAudio); the server's own share is not counted.
# Each line gives the main thread and SDL's sound thread apart, and the load
# average when the run ended (other work on the machine skews the figures).
# Usage:
#   bench/idle_cpu.sh [build dir] [seconds] [scales]
# scales: any of 1 2 3, "1 2 3" by default.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
SECONDS_TO_RUN="${2:-10}"
SCALES="${3:-1 2 3}"
PROGRAM="$BUILD/bin/reedgunner_idle"
GAME="$BUILD/bin/reedgunner_idle_game"
DATA="$BUILD/data"
[ -x "$PROGRAM" ] || { echo "build $PROGRAM first" >&2; exit 1; }
[ -x "$GAME" ] || { echo "build $GAME first" >&2; exit 1; }

scratch="$(mktemp -d)"
pulse_pid=""
cleanup() {
    if [ -n "$pulse_pid" ]; then kill "$pulse_pid" 2>/dev/null || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT
cd "$scratch"
export XDG_STATE_HOME="$scratch" XDG_CONFIG_HOME="$scratch"
unset REEDGUNNER_HEADLESS

audio_driver=dummy
if command -v pulseaudio >/dev/null; then
    mkdir -m 700 "$scratch/run"
    export XDG_RUNTIME_DIR="$scratch/run" PULSE_SERVER="unix:$scratch/run/pulse/native"
    HOME="$scratch" pulseaudio --daemonize=yes -n --exit-idle-time=-1 --disallow-exit \
        --load="module-null-sink sink_name=null" --load=module-native-protocol-unix \
        --log-target=file:"$scratch/pulse.log"
    for _ in $(seq 50); do [ -e "$scratch/run/pulse/pid" ] && break; sleep 0.1; done
    pulse_pid="$(cat "$scratch/run/pulse/pid" 2>/dev/null || true)"
    [ -n "$pulse_pid" ] && audio_driver=pulseaudio
fi
echo "sound: SDL's $audio_driver driver"

# The virtual screen that gives each window scale.
screen_for() {
    case "$1" in
    1) echo 1024x768x24 ;;
    2) echo 1280x1024x24 ;;
    3) echo 1920x1440x24 ;;
    *) echo "no scale $1 (1, 2 or 3)" >&2; exit 1 ;;
    esac
}

load() { cut -d' ' -f1 /proc/loadavg; }

for scale in $SCALES; do
    screen="$(screen_for "$scale")"
    # Both renderers: the default settings (accelerated first), then software only.
    for settings in "DirectX=1 DirectVideo=1" "DirectX=0 DirectVideo=1"; do
        mkdir -p "$scratch/pellmar"
        printf '[Settings]\n%s\n' "${settings// /$'\n'}" >"$scratch/pellmar/Settings.ini"
        for mode in wait pace; do
            line="$(SDL_VIDEODRIVER=x11 xvfb-run -a -s "-screen 0 $screen" \
                "$PROGRAM" "$mode" "$SECONDS_TO_RUN")"
            echo "${scale}x $settings: $line; load $(load)"
        done
        # The game itself on the generated data.
        printf 'CDROM=%s\n' "$DATA" >>"$scratch/pellmar/Settings.ini"
        for screen_name in roster main store hunt; do
            line="$(SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=$audio_driver xvfb-run -a -s "-screen 0 $screen" \
                "$GAME" "$screen_name" "$SECONDS_TO_RUN")"
            echo "${scale}x $settings: $line; load $(load)"
        done
    done
done
