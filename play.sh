#!/usr/bin/env bash
# Builds the game (installing what it needs) and starts it.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"

need_packages "${PLAY_PACKAGES[@]}"
build_tree "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo

# Saved games (options.dat) are kept in the folder the game starts in.
cd "$ROOT"
exec "$ROOT/build/bin/reedgunner"
