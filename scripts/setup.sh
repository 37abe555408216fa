# SPDX-License-Identifier: GPL-2.0-or-later
# Shared by play.sh and test.sh: installs what the build needs and builds.
# Sourced, not run.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# What building and playing the game needs from Debian.
PLAY_PACKAGES=(build-essential cmake ninja-build pkg-config libgtest-dev libbenchmark-dev
               libsdl2-dev libpng-dev libcairo2-dev libfreetype-dev fonts-dejavu-core fonts-dejavu-extra
               libespeak-ng-dev espeak-ng-data libfluidsynth-dev timgm6mb-soundfont)
# What the tests add: clang and its runtime for the fuzzers, clang-format for
# the format check, sox to make test sounds, a virtual X server for measuring
# the real window, xdotool to move its mouse (bench/pacing.sh) and xprop to
# read its class, a small window manager and its fonts for minimising the
# window (bench/hidden_cpu.sh), the desktop entry and AppStream checkers for
# the installed game, man and groff to check the manual page, dpkg-dev and
# lintian to build and check the .deb, numpy for the replays' driver
# (tests/replays/drive.py), a PulseAudio server with a null sink for the
# sound thread's share in bench/idle_cpu.sh.
TEST_PACKAGES=(clang libclang-rt-14-dev clang-format sox xvfb xauth desktop-file-utils xdotool
               x11-utils twm xfonts-base appstream man-db groff-base dpkg-dev lintian
               python3-numpy pulseaudio)

# Installs the named Debian packages that are missing (through sudo when not root).
need_packages() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root or sudo to install ${missing[*]}" >&2; return 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Configures and builds one build directory:
# build_tree DIR [cmake options...] [-- build options, e.g. --target NAME...]
build_tree() {
    local dir="$1" configure=() build=()
    shift
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do
        configure+=("$1")
        shift
    done
    [ $# -gt 0 ] && shift
    build=("$@")
    cmake -S "$ROOT" -B "$dir" -G Ninja "${configure[@]}" >/dev/null
    cmake --build "$dir" -j "$(nproc)" "${build[@]}"
}

# What the browser build adds (./web.sh, the browser step of ./test.sh):
# Debian's emscripten, Chromium for the test, node for the test's driver.
WEB_PACKAGES=(emscripten chromium nodejs)

# Builds the browser build in build-web/ (the page in build-web/site/). The
# data and the built-in font come from the native build in build/, made first
# when missing: the tools that generate them are native programs.
build_web() {
    need_packages "${PLAY_PACKAGES[@]}" "${WEB_PACKAGES[@]}"
    if [ ! -f "$ROOT/build/data/ReedShot/fonts.dat" ] ||
        [ ! -f "$ROOT/build/generated/builtin_font_glyphs.cpp" ]; then
        build_tree "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -- --target reedgunner_data rg_engine
    fi
    # Debian's emscripten finds its own JavaScript modules here when node is not Debian's.
    export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"
    emcmake cmake -S "$ROOT" -B "$ROOT/build-web" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DREEDGUNNER_DATA=OFF -DREEDGUNNER_WERROR=ON -DREEDGUNNER_NATIVE_BUILD="$ROOT/build" >/dev/null
    cmake --build "$ROOT/build-web" -j "$(nproc)" --target reedgunner-web
}
