# SPDX-License-Identifier: GPL-2.0-or-later
# Sourced by the window tests: a scratch home for the game with settings
# pointing at DATA_ROOT (and any further lines given), entered, with SDL set
# for a real X11 window and no sound; the folder goes when the test ends.
# window_home DATA_ROOT [SETTINGS_LINES]
window_home() {
    scratch="$(mktemp -d "${TMPDIR:-/tmp}/reedgunner-window-XXXXXXXX")"
    trap 'rm -rf "$scratch"' EXIT
    mkdir -p "$scratch/pellmar"
    printf '[Settings]\nCDROM=%s\n%b' "$1" "${2:-}" > "$scratch/pellmar/Settings.ini"
    cd "$scratch"
    # Any class or folder the caller's environment would give is left out.
    export HOME="$scratch" XDG_CONFIG_HOME="$scratch" XDG_STATE_HOME="$scratch" XDG_DATA_HOME="$scratch"
    export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
    unset REEDGUNNER_HEADLESS SDL_VIDEO_X11_WMCLASS SDL_VIDEO_WAYLAND_WMCLASS
}
