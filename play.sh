#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the game (installing what it needs) and starts it.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"

need_packages "${PLAY_PACKAGES[@]}"
# Only what playing needs: the game and its data. The suite, the benchmarks and
# the developer programs are left to ./test.sh and `cmake --build build`.
build_tree "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -- --target reedgunner reedgunner_data

# The game finds its data through the CDROM setting, as the installer set it on
# the original's machines: point it at this clone's data on every run, so a
# moved or fresh clone never leaves it looking in an old folder.
"$ROOT/scripts/settings.sh" "$ROOT/build/data"

# The game keeps its saved games in $XDG_DATA_HOME/pellmar/ by itself.
exec "$ROOT/build/bin/reedgunner"
