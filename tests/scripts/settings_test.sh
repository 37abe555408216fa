#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# play.sh's settings step (scripts/settings.sh) on its own: the CDROM line is
# replaced on every run, the rest of Settings.ini kept, and the file is found
# as the game finds it, with HOME unset too.
# settings_test.sh SETTINGS_SCRIPT
set -euo pipefail
script="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

# An old clone's line, other settings around it, a name in another case.
mkdir -p "$scratch/config/pellmar"
printf '[Settings]\nDebug=1\ncdrom = /old/clone/build/data\nDirectX=0\n' \
    >"$scratch/config/pellmar/Settings.ini"
XDG_CONFIG_HOME="$scratch/config" "$script" "/new clone/build/data"
expected=$'[Settings]\nCDROM=/new clone/build/data\nDebug=1\nDirectX=0'
[[ "$(cat "$scratch/config/pellmar/Settings.ini")" == "$expected" ]] ||
    fail "rewritten: $(cat "$scratch/config/pellmar/Settings.ini")"

# Twice in a row: still one CDROM line.
XDG_CONFIG_HOME="$scratch/config" "$script" "/new clone/build/data"
[[ "$(grep -c CDROM "$scratch/config/pellmar/Settings.ini")" == 1 ]] || fail "second run"

# No file yet, HOME unset: the home folder comes from the password database,
# as the game takes it (a stand-in getent answers here), and a relative
# XDG_CONFIG_HOME is ignored.
mkdir -p "$scratch/bin" "$scratch/home"
printf '#!/bin/sh\necho "player:x:%s:%s::%s:/bin/sh"\n' "$(id -u)" "$(id -g)" "$scratch/home" \
    >"$scratch/bin/getent"
chmod +x "$scratch/bin/getent"
(unset HOME; PATH="$scratch/bin:$PATH" XDG_CONFIG_HOME=relative "$script" "$scratch/data") ||
    fail "with HOME unset"
[[ "$(cat "$scratch/home/.config/pellmar/Settings.ini")" == $'[Settings]\nCDROM='"$scratch/data" ]] ||
    fail "with HOME unset: $(ls -R "$scratch")"
echo "settings step: CDROM replaced, the rest kept, HOME not needed"
