#!/usr/bin/env bash
# Builds the game (installing what it needs) and starts it.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"

need_packages "${PLAY_PACKAGES[@]}"
build_tree "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The game finds its data through the CDROM setting, as the installer set it on
# the original's machines: point it at the generated data unless the player has
# chosen a folder of their own.
settings="${XDG_CONFIG_HOME:-$HOME/.config}/pellmar/Settings.ini"
if ! grep -qs '^CDROM=' "$settings"; then
    mkdir -p "$(dirname "$settings")"
    grep -qs '^\[Settings\]' "$settings" || echo "[Settings]" >>"$settings"
    echo "CDROM=$ROOT/build/data" >>"$settings"
fi

# Saved games (options.dat) are kept in the folder the game starts in.
cd "$ROOT"
exec "$ROOT/build/bin/reedgunner"
