#!/usr/bin/env bash
# Sets up the machine, builds the project and starts the feature browser on the
# built-in emulated camera. Arguments are passed to the browser.
#   scripts/run-browser.sh [--lang ja] [--aravis Fake_1] ...
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
# Compiler cache hits also across clones in other folders (CI builds a fresh clone).
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
cmake --preset default
cmake --build --preset default --parallel "$(nproc)" --target feature-browser
browser=build/default/bin/feature-browser
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "run-browser: no display found, starting the browser under a virtual X server (xvfb-run)" >&2
    exec xvfb-run -a "$browser" "$@"
fi
exec "$browser" "$@"
