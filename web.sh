#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the game for the browser (installing what it needs) and serves it on
# http://127.0.0.1:8000/ for you to open; Ctrl+C stops the server.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"

build_web
echo "The game is at http://127.0.0.1:8000/ (Ctrl+C stops the server)"
cd "$ROOT/build-web/site"
exec python3 -m http.server 8000 --bind 127.0.0.1
