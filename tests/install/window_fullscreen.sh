#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Alt+Enter in a real window on a virtual X server is what the settings
# dialog then shows and keeps: F10 and Enter save Fullscreen=1.
# window_fullscreen.sh GAME DATA_ROOT
set -euo pipefail
game="$1" data="$2"
source "$(dirname "$0")/window_home.sh"
window_home "$data" "Debug=1\n"
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    "$1" & game=$!
    for i in $(seq 100); do
        window=$(xdotool search --onlyvisible --name "^Talmadge Reed Gunner$" 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    # The roster is up once the log says its background (bkg_02) is loaded.
    for i in $(seq 200); do
        grep -q "LoadBackground( bkg_02 )" pellmar/PELLMAR.TXT 2>/dev/null && break
        sleep 0.1
    done
    if [ -n "$window" ]; then
        sleep 1
        xdotool windowfocus --sync "$window" key alt+Return
        sleep 0.5
        # A slow machine may still be fading the roster in: try again.
        for try in 1 2 3 4 5; do
            xdotool key F10
            sleep 1
            xdotool key Return
            for i in $(seq 20); do
                grep -qx "Fullscreen=1" pellmar/Settings.ini && break 2
                sleep 0.1
            done
        done
    fi
    kill -TERM $game; wait $game || true' sh "$game"
if ! grep -qx 'Fullscreen=1' "$scratch/pellmar/Settings.ini"; then
    echo "after Alt+Enter, F10 and Enter Settings.ini holds:" >&2
    cat "$scratch/pellmar/Settings.ini" >&2
    exit 1
fi
