#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The game's window, with the real X11 video driver on a virtual X server,
# carries the application id as its class, the StartupWMClass of the menu
# entry, so the desktop puts it under the game's icon.
# window_class.sh GAME DATA_ROOT APP_ID
set -euo pipefail
game="$1" data="$2" id="$3"
source "$(dirname "$0")/window_home.sh"
window_home "$data"
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    "$1" & game=$!
    # The window appears once the game is up; xprop reads its class.
    for i in $(seq 100); do
        window=$(xdotool search --onlyvisible --name "^Talmadge Reed Gunner$" 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] && xprop -id "$window" WM_CLASS > class.txt
    # How the game ends is for the other tests; this one reads the class.
    kill -TERM $game; wait $game || true' sh "$game"
class="$(cat class.txt 2>/dev/null || true)"
expected="WM_CLASS(STRING) = \"$id\", \"$id\""
if [ "$class" != "$expected" ]; then
    echo "the window's class: '$class', wanted '$expected'" >&2
    exit 1
fi
