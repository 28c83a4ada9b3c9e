#!/usr/bin/env bash
# Builds Vantrel Photo Tether and starts it with the simulated camera, in a fresh demo folder
# that never touches your own settings:
#   - a sample roster of ten names is imported on the first start,
#   - photos go to <demo>/photos, and backups to <demo>/backup once you choose it,
#   - the simulated camera connects by itself; Camera ▸ Take Photo (Ctrl+T) shoots; a real camera
#     is one choice away in Settings ▸ Camera driver (gphoto2 for any USB or network camera).
#
# Options:
#   --auto-shoot SECONDS   the simulated camera also takes a picture every SECONDS seconds
#   --demo-dir DIR         keep the demo in DIR (reused on the next run) instead of a new folder
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

auto_shoot=""
demo=""
while [ $# -gt 0 ]; do
  case "$1" in
    --auto-shoot) auto_shoot="$2"; shift 2 ;;
    --demo-dir) demo="$2"; shift 2 ;;
    -h|--help) sed -n '2,13p' "$0"; exit 0 ;;
    *) echo "unknown option: $1 (try --help)" >&2; exit 2 ;;
  esac
done

"$root/scripts/build.sh" >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<MSG
No display found. Vantrel Photo Tether is a desktop application; on a machine without a screen
run it under a virtual X server, for example:

  xvfb-run -a -s "-screen 0 1600x1000x24" $0 --auto-shoot 3

MSG
  exit 1
fi

if [ -z "$demo" ]; then
  demo="$(mktemp -d "${TMPDIR:-/tmp}/vantrel-demo.XXXXXX")"
fi
mkdir -p "$demo/config/Vantrel" "$demo/data" "$demo/photos" "$demo/runtime"
chmod 700 "$demo/runtime"
settings="$demo/config/Vantrel/Vantrel Tether.conf"
if [ ! -f "$settings" ]; then
  cp "$root/resources/sample_roster.csv" "$demo/sample_roster.csv"
  cat > "$settings" <<CONF
[General]
VantrelLastTargetDir=$demo/photos
VantrelLastCSVPath=$demo/sample_roster.csv
CONF
fi
# The simulated camera unless the demo chose another driver (Settings ▸ Camera driver).
if ! grep -q '^VantrelCameraDriver=' "$settings"; then
  sed -i 's/^\[General\]$/[General]\nVantrelCameraDriver=simulated/' "$settings"
fi

export XDG_CONFIG_HOME="$demo/config" XDG_DATA_HOME="$demo/data" XDG_RUNTIME_DIR="$demo/runtime"
if [ -n "$auto_shoot" ]; then
  export VANTREL_SIM_AUTO_SHOOT_MS=$((auto_shoot * 1000))
fi

echo "Demo folder: $demo (photos in $demo/photos)"
echo "Camera library: ${VANTREL_SDK_PATH:-the simulated camera (Settings ▸ Camera driver to change)}"
exec "$root/build/bin/vantrel_tether"
