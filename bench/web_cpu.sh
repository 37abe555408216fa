#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The processor share headless Chromium takes while the browser build's hunt
# runs, to compare with bench/idle_cpu.sh's native hunt. Needs the browser
# build (./web.sh builds it) and the test's driver (npm ci in tests/web).
# Usage: bench/web_cpu.sh [seconds]   (default 20)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-20}"
[ -f "$root/build-web/site/reedgunner.wasm" ] || { echo "no browser build: run ./web.sh first" >&2; exit 1; }
(cd "$root/tests/web" && [ -d node_modules ] || npm ci --no-audit --no-fund --loglevel=error >/dev/null)
REEDGUNNER_WEB_CPU_SECONDS="$seconds" node "$root/tests/web/web_test.mjs" "$root/build-web/site" \
    "$root/build" 2>&1 | grep -E "hunt:|FAIL" || true
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
