#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz": clang, libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs each for the given time, one after
# the other, starting from its seed corpus in tests/fuzz/corpus/<target>/.
# Fails on the first finding; the input that caused it is left in
# build/fuzz/findings/<target>/.
#   scripts/run-fuzz.sh [seconds per target, default 15] [targets...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-15}
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then
    targets=($(ls tests/fuzz/corpus))
fi

bash scripts/setup.sh
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
# The favourites target writes settings files: in memory where there is /dev/shm.
if [[ -z "${TMPDIR:-}" && -w /dev/shm ]]; then
    export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for target in "${targets[@]}"; do
    # New inputs go to a scratch corpus: the seeds in the repository stay small.
    work=build/fuzz/corpus/$target
    findings=build/fuzz/findings/$target
    mkdir -p "$work" "$findings"
    echo "== fuzz_$target for ${seconds}s"
    build/fuzz/bin/fuzz_"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" \
        "$work" "tests/fuzz/corpus/$target"
done
