#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Kesto needs, skipping those already present.
set -euo pipefail

packages=(
    cmake g++ make pkg-config ccache git python3 clang-format
    libglfw3-dev rapidjson-dev libimgui-dev libstb-dev libepoxy-dev libsdl2-dev
    libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev
    libgl1-mesa-dev libgl1-mesa-dri libglx-mesa0 mesa-utils
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool imagemagick ffmpeg
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [[ "$status" != "install ok installed" ]]; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
