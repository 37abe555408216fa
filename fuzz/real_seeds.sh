#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Gathers each fuzzer's starting corpus from the files the game really reads:
# links to the data a normal build made, plus an options.dat and a Settings.ini
# the game itself wrote.  Usage: fuzz/real_seeds.sh BUILD_DIR OUT_DIR
# Makes OUT_DIR/<fuzzer>/ for every fuzzer; nothing generated is committed.
set -euo pipefail
build="$(cd "$1" && pwd)"
out="$2"
data="$build/data/ReedShot"
src="$(cd "$(dirname "$0")/.." && pwd)"
[ -f "$data/fonts.dat" ] || { echo "no game data in $data: build $build first" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

# link FUZZER FILE...: the files as seeds of that fuzzer.
link() {
    local name="$1"
    shift
    mkdir -p "$out/$name"
    for file in "$@"; do
        [ -f "$file" ] && ln -sf "$file" "$out/$name/$(basename "$file")"
    done
    return 0
}

# Every bank and background is a bank to the graphics loader.
link fuzz_graphics "$data"/*.256
link fuzz_background "$data"/bkg_*.256
link fuzz_decoys "$data"/scn_*.256
# The same scenes with their picture cut to 8x8 and their decoy and depth maps
# whole: an eighth of the bytes to load, so most runs reach the decoy placing.
for file in "$data"/scn_*.256; do
    small="$out/fuzz_decoys/$(basename "$file" .256)-small.256"
    first=$(od -An -tu4 -j776 -N4 "$file" | tr -d ' ')
    {
        head -c 776 "$file"
        printf '\x10\0\0\0\x08\0\x08\0\0\0\0\0\0\0\0\0'  # 16 bytes, 8x8, no offsets
        for row in 1 2 3 4 5 6 7 8; do printf '\xc8\x2a'; done  # a run of 8 each
        tail -c +$((776 + 16 + first + 1)) "$file"
    } >"$small"
done
link fuzz_fonts "$data/fonts.dat"
link fuzz_sound_bank "$data"/*.16b "$data"/*.8b
link fuzz_lipsync "$data"/char*.16b "$data"/char*.8b
link fuzz_captions "$data/captions.txt"
link fuzz_replay "$src"/tests/replays/*.rgr
# Music files are whole wave images; the banks hold theirs one after another
# behind a 516-byte table of end offsets: the effects' short ones are cut out.
for file in "$data"/*.16b "$data"/*.8b; do
    if [ "$(head -c 4 "$file" | tr -d '\0')" = RIFF ]; then
        link fuzz_wav "$file"
    fi
done
for file in "$data"/sounds.16b "$data"/sounds.8b; do
    count=$(od -An -td2 -N2 "$file" | tr -d ' ')
    start=0
    for end in $(od -An -tu4 -j4 -N$((4 * count)) -v "$file"); do
        if [ $((end - start)) -le 65536 ]; then
            dd if="$file" of="$out/fuzz_wav/$(basename "$file")-$start.wav" bs=64K \
                iflag=skip_bytes,count_bytes skip=$((516 + start)) count=$((end - start)) \
                status=none
        fi
        start=$end
    done
done

# The game writes options.dat on the way out: once fresh, once after the
# roster example has made and deleted games. It reads the Settings.ini beside.
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/pellmar" "$home/snaps" "$out/fuzz_options" "$out/fuzz_settings"
printf '[Settings]\nCDROM=%s\nDirectSound=1\n8bitSound=0\nDebug=0\n' "$build/data" \
    >"$home/pellmar/Settings.ini"
echo close >"$home/close.txt"
for script in "$home/close.txt" "$src/tests/app/roster_script.txt"; do
    rm -f "$home/options.dat"
    (cd "$home" && XDG_STATE_HOME="$home" XDG_CONFIG_HOME="$home" \
        "$build/bin/reedgunner-script" "$script" "$home/snaps" >/dev/null)
    cp "$home/options.dat" "$out/fuzz_options/$(basename "$script" .txt)-options.dat"
done
cp "$home/pellmar/Settings.ini" "$out/fuzz_settings/Settings.ini"
