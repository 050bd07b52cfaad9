#!/usr/bin/env bash
# Installs built trees into one temporary prefix and builds and runs the
# example host project against each installed package: with
# find_package(OrvikViewerComponents6) for a Qt 5 build, with
# find_package(OrvikViewerComponents6Qt6) for a Qt 6 build. Given several build
# trees (a Qt 5 and a Qt 6 one), it first checks that no installed file comes
# from more than one of them.
#   scripts/check-consumer.sh [build directory...]
set -euo pipefail
cd "$(dirname "$0")/.."

builds=("$@")
((${#builds[@]})) || builds=(build/default)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

qt_major() {
    local major
    major=$(sed -n 's/^QT_MAJOR_VERSION:[A-Z]*=//p' "$1/CMakeCache.txt")
    echo "${major:-5}"
}

for i in "${!builds[@]}"; do
    cmake --install "${builds[i]}" --prefix "$work/alone$i" >/dev/null
    (cd "$work/alone$i" && find . ! -type d | sort) >"$work/files$i"
    cmake --install "${builds[i]}" --prefix "$work/prefix" >/dev/null
done
if ((${#builds[@]} > 1)); then
    clashes=$(sort "$work"/files* | uniq -d)
    if [[ -n $clashes ]]; then
        printf 'consumer: more than one build installs these files:\n%s\n' "$clashes" >&2
        exit 1
    fi
    echo "consumer: ${builds[*]} share one prefix without a common file"
fi

for build in "${builds[@]}"; do
    major=$(qt_major "$build")
    host="$work/host$major"
    cmake -S examples/host -B "$host" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_BUILD_TYPE=Debug \
        -DQT_MAJOR_VERSION="$major"
    cmake --build "$host" --parallel "$(nproc)"
    LD_LIBRARY_PATH="$work/prefix/lib:$work/prefix/lib/$(gcc -print-multiarch 2>/dev/null || true)" \
        QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" "$host/orvik-host-example" --check
    ldd "$host/orvik-host-example" | grep -q "libQt${major}Core" ||
        { echo "consumer: the host built against $build does not run on Qt $major" >&2; exit 1; }
    echo "consumer: the installed Qt $major package of $build was found, linked and run"
done
