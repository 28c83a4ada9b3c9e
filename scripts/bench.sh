#!/usr/bin/env bash
# Builds, then runs every benchmark one after the other. They print figures and ratios against
# baselines measured in the same run; they never pass or fail. Run it on a quiet machine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" >/dev/null
bin="$root/build/bin"
export QT_QPA_PLATFORM=offscreen
echo "== machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo)," \
  "$(. /etc/os-release && echo "$PRETTY_NAME"), $(date -u +%Y-%m-%d)"
for bench in names_bench names_table_bench filing_bench "backup_bench 100 20" \
  "shutter_to_filed_bench 200" "burst_bench 100" app_memory_bench "worker_cpu_bench 30" \
  "gphoto_bench 50 25" "yearbook_bench 200"; do
  echo "== $bench"
  # Qt's start-up chatter (no runtime folder yet, image limits) is not a figure.
  $bin/$bench 2> >(grep -v -e 'XDG_RUNTIME_DIR' -e 'qt.gui.imageio' >&2)
done
