#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and builds and runs the example
# host project against it with find_package(OrvikViewerComponents6).
#   scripts/check-consumer.sh [build directory]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/default}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
cmake -S examples/host -B "$work/host" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_BUILD_TYPE=Debug
cmake --build "$work/host" --parallel "$(nproc)"
LD_LIBRARY_PATH="$work/prefix/lib:$work/prefix/lib/$(gcc -print-multiarch 2>/dev/null || true)" \
    QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" "$work/host/orvik-host-example" --check
echo "consumer: the installed package was found, linked and run"
