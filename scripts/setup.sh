#!/usr/bin/env bash
# Installs what the build and the tests need, with apt-get, only when something is missing.
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config procps qt6-base-dev libgtest-dev
  libgmock-dev libstb-dev xvfb xauth clang-format fonts-noto-color-emoji clang libclang-rt-14-dev
  gphoto2 libgphoto2-dev imagemagick)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
