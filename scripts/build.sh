#!/usr/bin/env bash
# Configures and builds the project into build/ (installs missing packages first).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja "$@"
cmake --build "$root/build" -j2
