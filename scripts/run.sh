#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds Dealwise and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target dealwise dealwise-score

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run: no display found; set DISPLAY (or WAYLAND_DISPLAY) to see the windows" >&2
    exit 1
fi
exec build/release/src/windows/dealwise
