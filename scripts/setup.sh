#!/usr/bin/env bash
# Installs what the project needs to build, test and run on Debian 12 or Ubuntu.
# Packages already present are skipped, so running it again is cheap.
set -euo pipefail

packages=(
    build-essential g++ cmake ninja-build pkg-config git ccache python3
    qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools
    qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-svg-dev libgl-dev
    qttranslations5-l10n qt6-translations-l10n
    libaravis-dev libusb-1.0-0-dev libzip-dev aravis-tools
    xvfb xauth fonts-dejavu-core fonts-noto-cjk
    clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if ((${#missing[@]} == 0)); then
    echo "setup: all ${#packages[@]} packages are present"
    exit 0
fi

echo "setup: installing ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
