#!/bin/sh
# Records the suite's replays again: real sessions played in the game's real
# window under Xvfb, driven by xdotool (drive.py says what each one does).
# Needed after a change that alters play, when the Replays tests say a replay
# no longer matches. Usage: tests/replays/record.sh [BUILD_DIR] [SESSION...]
# Each session leaves here NAME.rgr (the recording), NAME.checkpoints (the
# recorded session's own frame hashes) and NAME.options.dat (what it saved).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
[ $# -gt 0 ] && shift
sessions=${*:-hunt jail}
for name in $sessions; do
    work=$(mktemp -d)
    mkdir -p "$work/pellmar"
    printf '[Settings]\nCDROM=%s\n' "$build/data" >"$work/pellmar/Settings.ini"
    echo "recording $name"
    (cd "$work" && XDG_CONFIG_HOME=$work XDG_STATE_HOME=$work XDG_DATA_HOME=$work \
        REEDGUNNER_CHECKPOINTS=$work/checkpoints.txt \
        SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
        xvfb-run -a -s "-screen 0 1280x1024x24 -fbdir $work" \
        "${PYTHON:-/usr/bin/python3}" "$here/drive.py" "$build/bin/reedgunner" "$name" "$work")
    cp "$work"/pellmar/replays/*.rgr "$here/$name.rgr"
    cp "$work/checkpoints.txt" "$here/$name.checkpoints"
    cp "$work/pellmar/options.dat" "$here/$name.options.dat"
    rm -rf "$work"
    ls -l "$here/$name.rgr"
done
