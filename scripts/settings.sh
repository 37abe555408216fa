#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Points the game at a data folder: scripts/settings.sh DATA_ROOT writes
# CDROM=DATA_ROOT into Settings.ini, replacing an old CDROM line and keeping
# the rest of the file. Finds the file as the game does, HOME unset included.
set -euo pipefail
data_root="$1"

home="${HOME:-}"
if [[ -z "$home" ]]; then
    home="$(getent passwd "$(id -u)" | cut -d: -f6)" || true
    [[ -n "$home" ]] || home=/tmp
fi
config_home="${XDG_CONFIG_HOME:-}"
[[ "$config_home" == /* ]] || config_home="$home/.config"
settings="$config_home/pellmar/Settings.ini"
mkdir -p "$(dirname "$settings")"

# The old file without its CDROM lines, then the new line at the top of the
# [Settings] section (added when the file has none).
{
    if grep -qs '^\[Settings\]' "$settings"; then
        sed -E -e '/^[[:space:]]*CDROM[[:space:]]*=/Id' \
            -e "/^\[Settings\]/a CDROM=$(printf '%s' "$data_root" | sed 's/[\\&]/\\&/g')" "$settings"
    else
        printf '[Settings]\nCDROM=%s\n' "$data_root"
        if [[ -f "$settings" ]]; then
            sed -E '/^[[:space:]]*CDROM[[:space:]]*=/Id' "$settings"
        fi
    fi
} >"$settings.new"
mv "$settings.new" "$settings"
