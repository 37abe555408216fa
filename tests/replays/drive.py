#!/usr/bin/env python3
"""Plays one of the suite's sessions in the game's real window, as a player
would: it sees only the window's pixels (the screen Xvfb keeps in FBDIR) and
acts only with the mouse and keyboard (xdotool, and the X test extension for
a shot). Run by record.sh under Xvfb. Usage: drive.py GAME SESSION FBDIR

hunt: a new game, the store (licence and decoys), a hunt at the Public Grounds
      in shooting hours with shots at the birds that come close until four
      are down and fetched by the dog (the limit, if the legal kinds: not
      every recording is clean, so look at the snaps), the payout.
jail: a new game hunting without a licence: a shot, the warden, the fine she
      cannot pay, jail and the game over."""
import ctypes
import mmap
import os
import signal
import struct
import subprocess
import sys
import time

import numpy

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


class Screen:
    """The game's 640 by 400 marsh as Xvfb keeps it (an XWD file it maps),
    as the sum of each pixel's three channels."""

    def __init__(self):
        self.file = open(os.path.join(fbdir, "Xvfb_screen0"), "rb")
        self.map = mmap.mmap(self.file.fileno(), 0, access=mmap.ACCESS_READ)
        header = struct.unpack(">25I", self.map[:100])
        self.offset = header[0] + header[19] * 12
        self.stride, self.rows = header[12], header[5]

    def grab(self):
        pixels = numpy.frombuffer(self.map, numpy.uint8, self.stride * self.rows, self.offset)
        pixels = pixels.reshape(self.rows, self.stride // 4, 4)
        marsh = pixels[top:top + 400 * scale:scale, left:left + 640 * scale:scale, :3]
        return marsh.astype(numpy.int16).sum(axis=2), time.time()


screen = None

# The shot goes through the X test extension straight from here, as xdotool's
# do: starting xdotool takes longer than a bird's step.
xlib = ctypes.CDLL("libX11.so.6")
xtest = ctypes.CDLL("libXtst.so.6")
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XFlush.argtypes = [ctypes.c_void_p]
xtest.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                       ctypes.c_ulong]
xtest.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
display = xlib.XOpenDisplay(None)


def fire(x, y):
    """The sights to (x, y) in game pixels and the trigger pulled, at once."""
    xtest.XTestFakeMotionEvent(display, -1, left + int(x) * scale + scale // 2,
                               top + int(y) * scale + scale // 2, 0)
    xtest.XTestFakeButtonEvent(display, 1, 1, 0)
    xtest.XTestFakeButtonEvent(display, 1, 0, 0)
    xlib.XFlush(display)


def background(looks=7, gap=0.25):
    """The marsh without what moves: each pixel's median over a few looks."""
    frames = []
    for _ in range(looks):
        frames.append(screen.grab()[0])
        time.sleep(gap)
    return numpy.median(numpy.stack(frames), axis=0).astype(numpy.int16)


def blobs(frame, still):
    """What differs from the still marsh, as (pixels, x, y) biggest first: the
    changed pixels gathered in 8-pixel cells joined to their neighbours."""
    changed = numpy.abs(frame - still) > 60
    cells = changed.reshape(50, 8, 80, 8).sum(axis=(1, 3))
    busy = set(zip(*numpy.nonzero(cells >= 4)))
    found = []
    while busy:
        todo = [busy.pop()]
        group = []
        while todo:
            cy, cx = todo.pop()
            group.append((cy, cx))
            for ny in (cy - 1, cy, cy + 1):
                for nx in (cx - 1, cx, cx + 1):
                    if (ny, nx) in busy:
                        busy.remove((ny, nx))
                        todo.append((ny, nx))
        count = sx = sy = 0
        for cy, cx in group:
            ys, xs = numpy.nonzero(changed[cy * 8:cy * 8 + 8, cx * 8:cx * 8 + 8])
            count += len(xs)
            sx += int(xs.sum()) + len(xs) * cx * 8
            sy += int(ys.sum()) + len(ys) * cy * 8
        found.append((count, sx / count, sy / count))
    found.sort(reverse=True)
    return found


def bird(still, least):
    """The biggest thing moving over the marsh if big enough: a close bird."""
    frame, when = screen.grab()
    found = blobs(frame, still)
    if found and found[0][0] >= least:
        return found[0][1], found[0][2], found[0][0], when
    return None


def ambush(still):
    """Finds a close bird and fires the moment a look shows it has taken a
    step: the game moves birds in steps a tenth of a second apart, and the
    look, the move and the shot take less. A far flock (small birds high in
    the sky, slow and level) is let go. True when it fired."""
    first = bird(still, LEAST)
    if first is None:
        return False
    end = time.time() + 0.3
    while time.time() < end:
        seen = bird(still, LEAST)
        if seen is None:
            return False
        dx, dy = seen[0] - first[0], seen[1] - first[1]
        if abs(dx) + abs(dy) <= 3:
            continue
        if abs(dx) > 90 or abs(dy) > 40 or (abs(dx) < 16 and seen[2] < 800):
            return False  # a far flock, or two things taken for one
        if not (5 <= seen[0] <= 635 and 5 <= seen[1] <= 395):
            return False
        fire(seen[0], seen[1])
        hit = falls(still, seen[0], seen[1])
        print("%.2f s: %s a bird of %d pixels at %.0f,%.0f going %+.0f,%+.0f" %
              (time.time() - seen[3], "hit" if hit else "missed", seen[2], seen[0], seen[1], dx,
               dy), flush=True)
        return 2 if hit else 1
    return 0


def falls(still, x, y):
    """Whether the bird shot at was hit, as far as the low marsh shows: a
    missed bird climbs away (and so does every other), a hit one falls to
    the water and the dog leaps out for it. The partner's face rises there
    too when he has something to say, so this can count a miss as a hit."""
    most = 0
    end = time.time() + 4
    while time.time() < end:
        low = numpy.abs(screen.grab()[0][300:400] - still[300:400]) > 60
        most = max(most, int(low.sum()))
        time.sleep(0.05)
    return most > 600


LEAST = 120


def hunt(seconds, hits_wanted, fire_anyway):
    """Loads and fires at the birds that come close until enough are down
    and fetched or time is up; with `fire_anyway` one shot at the sky at once."""
    global screen
    click(580, 445, 0.5)  # the shells: load
    if fire_anyway:
        shoot(320, 120)
        time.sleep(7)
        click(560, 445, 0.5)  # load again
        return
    screen = Screen()
    hits = 0
    end = time.time() + seconds
    still = background()
    renewed = time.time()
    while time.time() < end and hits < hits_wanted:
        if time.time() - renewed > 4:
            still = background()
            renewed = time.time()
        shot = ambush(still)
        if not shot:
            time.sleep(0.02)
            continue
        hits += shot - 1
        time.sleep(3)  # the dog, if it was a hit
        if hits < hits_wanted:
            click(560, 445, 0.5)  # load again
            still = background()
            renewed = time.time()


if session == "hunt":
    click(350, 365)  # New
    type_name("Ann")
    click(40, 450, 3)  # Play: the main screen
    click(570, 385, 3)  # the store
    click(298, 100, 1)  # the licence
    click(86, 111, 1)  # decoys
    click(44, 451, 3)  # Done
    click(120, 340, 6)  # the Public Grounds
    time.sleep(14)  # shooting hours begin at 6:10, 30 game minutes in
    hunt(120, 4, False)  # the limit: a clean bag of 4 is paid
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
