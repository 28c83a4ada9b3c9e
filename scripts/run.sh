#!/usr/bin/env bash
# Builds the project and starts the camera worker against the simulated camera: it connects,
# watches, takes three pictures (one every few seconds) and downloads them into a fresh folder,
# printing every protocol line as it goes.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" >/dev/null

demo="$(mktemp -d "${TMPDIR:-/tmp}/vantrel-demo.XXXXXX")"
echo "Download folder: $demo"
export VANTREL_SIM_AUTO_SHOOT_MS="${VANTREL_SIM_AUTO_SHOOT_MS:-3000}"
export VANTREL_SIM_SHOTS="${VANTREL_SIM_SHOTS:-3}"
export VANTREL_CPP_DETECT_STRATEGY="${VANTREL_CPP_DETECT_STRATEGY:-v21}"
export VANTREL_CPP_PUMP_MODE="${VANTREL_CPP_PUMP_MODE:-both}"
export VANTREL_DIAG="${VANTREL_DIAG:-0}"
sdk="${VANTREL_SDK_PATH:-$root/build/lib/libvantrel_simcam.so}"

{
  echo "CONNECT|disk"
  sleep 2
  echo "SET_DOWNLOAD_DIR|$demo"
  echo "PUMP_ACTIVE"
  sleep $(((VANTREL_SIM_AUTO_SHOOT_MS * VANTREL_SIM_SHOTS) / 1000 + 3))
  echo "DIAG"
  echo "QUIT"
} | "$root/build/bin/vantrel_cpp_worker" "$demo" "$sdk" disk

echo
echo "Photos downloaded into $demo:"
ls -l "$demo"
