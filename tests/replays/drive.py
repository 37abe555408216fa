#!/usr/bin/env python3
"""Plays one of the suite's sessions in the game's real window, as a player
would, with xdotool: run by record.sh under Xvfb. Usage: drive.py GAME SESSION FBDIR

hunt: a new game, the store (licence and decoys), a hunt at the Public Grounds
      with shots at the birds that come close, the dog, the payout.
jail: a new game hunting without a licence: a shot, the warden, the fine she
      cannot pay, jail and the game over."""
import os
import signal
import struct
import subprocess
import sys
import time

game, session, fbdir = sys.argv[1], sys.argv[2], sys.argv[3]


def xdo(*args):
    return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True,
                          text=True).stdout


proc = subprocess.Popen([game])
time.sleep(4)
window = xdo("search", "--sync", "--name", "Talmadge Reed Gunner").split()[0]
geometry = dict(line.split("=") for line in xdo("getwindowgeometry", "--shell", window).split())
left, top = int(geometry["X"]), int(geometry["Y"])
scale = int(geometry["WIDTH"]) // 640


def move(x, y):
    xdo("mousemove", "--window", window, x * scale + scale // 2, y * scale + scale // 2)


def click(x, y, pause=0.6):
    move(x, y)
    time.sleep(0.15)
    xdo("click", "1")
    time.sleep(pause)


def shoot(x, y):
    """Moves and fires in one go: a bird does not wait."""
    xdo("mousemove", "--window", window, x * scale + scale // 2, y * scale + scale // 2,
        "click", "1")


def type_name(name):
    xdo("type", "--delay", "120", name)
    xdo("key", "Return")
    time.sleep(0.6)


def grab():
    """The screen as Xvfb keeps it: rows of 32-bit pixels after the XWD header."""
    with open(os.path.join(fbdir, "Xvfb_screen0"), "rb") as f:
        data = f.read()
    header = struct.unpack(">25I", data[:100])
    header_size, ncolors, bytes_per_line = header[0], header[19], header[12]
    return data[header_size + ncolors * 12:], bytes_per_line


def find_bird(least):
    """The middle of the busiest 24-pixel square of the sky between two looks,
    in game pixels; None when no square has `least` sampled pixels changed much
    (a close bird fills squares, a far flock does not) or when most of the sky
    changed at once."""
    first, stride = grab()
    time.sleep(0.05)
    second, _ = grab()
    cells = {}
    changed = 0
    for gy in range(4, 260, 2):
        row = (top + gy * scale) * stride
        a = first[row + left * 4: row + (left + 640 * scale) * 4]
        b = second[row + left * 4: row + (left + 640 * scale) * 4]
        if a == b:
            continue
        for gx in range(0, 640, 2):
            o = gx * scale * 4
            # A bird is a dark shape on a light sky: the light of the day
            # only moves a little at a time.
            if abs(sum(a[o:o + 3]) - sum(b[o:o + 3])) > 90:
                changed += 1
                key = (gx // 24, gy // 24)
                cell = cells.setdefault(key, [0, 0, 0])
                cell[0] += 1
                cell[1] += gx
                cell[2] += gy
    if not cells or changed > 6000:
        return None
    count, sx, sy = max(cells.values())
    if count < least:
        return None
    return sx // count, sy // count


def hunt(seconds, shots_wanted, fire_anyway):
    """Loads and fires at what comes close until enough shots or time is up."""
    click(580, 445, 0.5)  # the shells: load
    shots = 0
    end = time.time() + seconds
    while time.time() < end and shots < shots_wanted:
        bird = find_bird(15)
        if bird is None:
            if not fire_anyway:
                time.sleep(0.05)
                continue
            bird = (320, 120)
        elif not fire_anyway:
            # Lead it: where it moved between two looks, on by as much again
            # for the time the second look and the shot take.
            again = find_bird(15)
            if again is None:
                continue
            bird = (2 * again[0] - bird[0], 2 * again[1] - bird[1])
        shoot(*bird)
        shots += 1
        time.sleep(7)  # the dog, if it was a hit
        click(560, 445, 0.5)  # load again


if session == "hunt":
    click(350, 365)  # New
    type_name("Ann")
    click(40, 450, 3)  # Play: the main screen
    click(570, 385, 3)  # the store
    click(298, 100, 1)  # the licence
    click(86, 111, 1)  # decoys
    click(44, 451, 3)  # Done
    click(120, 340, 6)  # the Public Grounds
    time.sleep(115)  # shooting hours begin at 6:15
    hunt(150, 5, False)
    click(44, 451, 8)  # Quit: the payout
    click(44, 451, 4)  # Done
elif session == "jail":
    click(350, 365)
    type_name("Kim")
    click(40, 450, 3)
    click(120, 340, 8)
    hunt(60, 1, True)
    click(44, 451, 25)  # the warden, the fine, jail, the game over
else:
    sys.exit("no session called " + session)
proc.send_signal(signal.SIGTERM)
sys.exit(proc.wait())
