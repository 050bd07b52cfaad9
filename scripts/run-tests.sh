#!/usr/bin/env bash
# Sets up the machine, builds the project with a CMake preset (default: the
# Debug build with warnings as errors) and runs the whole test suite.
#   scripts/run-tests.sh [default|qt6|asan|release] [extra ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

preset=${1:-default}
shift || true

bash scripts/setup.sh
# Compiler cache hits also across clones in other folders (CI builds a fresh clone).
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
cmake --preset "$preset"
cmake --build --preset "$preset" --parallel "$(nproc)"
ctest --preset "$preset" "$@"
