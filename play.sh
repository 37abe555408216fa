#!/usr/bin/env bash
# Builds the game (installing what it needs) and starts it.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"

need_packages "${PLAY_PACKAGES[@]}"
build_tree "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The game finds its data through the CDROM setting, as the installer set it on
# the original's machines: point it at the generated data unless the player has
# chosen a folder of their own.
config_home="${XDG_CONFIG_HOME:-}"
[[ "$config_home" == /* ]] || config_home="$HOME/.config"
settings="$config_home/pellmar/Settings.ini"
if ! grep -qsiE '^[[:space:]]*CDROM[[:space:]]*=' "$settings"; then
    mkdir -p "$(dirname "$settings")"
    if grep -qs '^\[Settings\]' "$settings"; then
        sed -i "/^\[Settings\]/a CDROM=$ROOT/build/data" "$settings"
    else
        { printf '[Settings]\nCDROM=%s\n' "$ROOT/build/data"; cat "$settings" 2>/dev/null || true; } \
            >"$settings.new" && mv "$settings.new" "$settings"
    fi
fi

# Saved games (options.dat) live in the folder the game starts in: one of the
# player's own, so they survive rebuilds and fresh clones.
data_home="${XDG_DATA_HOME:-}"
[[ "$data_home" == /* ]] || data_home="$HOME/.local/share"
mkdir -p "$data_home/pellmar"
cd "$data_home/pellmar"
exec "$ROOT/build/bin/reedgunner"
