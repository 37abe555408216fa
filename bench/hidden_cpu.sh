#!/usr/bin/env bash
# Frugality while away: the processor time the game takes in a hunt that is
# shown, then minimised (xdotool windowminimize, under a small window manager
# on a virtual X server), with PauseOnFocusLoss 1 and 0. Each figure is the
# clock ticks of /proc/PID/stat (user + system) over the given seconds.
# Usage:
#   bench/hidden_cpu.sh [build dir] [seconds]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
SECONDS_TO_RUN="${2:-10}"
GAME="$BUILD/bin/reedgunner"
[ -x "$GAME" ] || { echo "build $GAME first" >&2; exit 1; }
command -v twm >/dev/null || { echo "needs twm (and xfonts-base) for windowminimize" >&2; exit 1; }

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/pellmar" "$scratch/pictures"
# twm's own fonts may be missing: the core font every X server has.
printf 'TitleFont "fixed"\nResizeFont "fixed"\nMenuFont "fixed"\nIconFont "fixed"\n' \
    >"$scratch/twmrc"
cat >"$scratch/run.sh" <<'INNER'
set -euo pipefail
cd "$SCRATCH"
LANG=C LC_ALL=C twm -f "$SCRATCH/twmrc" >/dev/null 2>&1 &
wm=$!
sleep 1
"$GAME" &
pid=$!
sleep 5
win=$(xdotool search --name "Talmadge Reed Gunner" | head -1)
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
measure() {
    local t0 t1
    t0=$(ticks)
    sleep "$SECONDS_TO_RUN"
    t1=$(ticks)
    echo "$1: $((t1 - t0)) ticks of $(getconf CLK_TCK) a second in $SECONDS_TO_RUN s"
}
# Done on the roster, then the Public Grounds; the window is twice the picture.
xdotool mousemove --window "$win" 80 900 click 1
sleep 2
xdotool mousemove --window "$win" 240 680 click 1
sleep 6
xdotool mousemove --window "$win" 600 400
measure "PauseOnFocusLoss=$PAUSE, hunt shown"
xdotool windowminimize --sync "$win"
sleep 1
measure "PauseOnFocusLoss=$PAUSE, hunt minimised"
kill "$pid"
wait "$pid" || true
kill "$wm" 2>/dev/null || true
INNER
export XDG_STATE_HOME="$scratch" XDG_CONFIG_HOME="$scratch" XDG_DATA_HOME="$scratch"
export XDG_PICTURES_DIR="$scratch/pictures" SCRATCH="$scratch" GAME SECONDS_TO_RUN
unset REEDGUNNER_HEADLESS
for pause in 1 0; do
    printf '[Settings]\nCDROM=%s\nPauseOnFocusLoss=%s\n' "$BUILD/data" "$pause" \
        >"$scratch/pellmar/Settings.ini"
    rm -f "$scratch/pellmar/options.dat"
    PAUSE=$pause SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
        xvfb-run -a -s "-screen 0 1280x1024x24" bash "$scratch/run.sh"
done
