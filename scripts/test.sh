#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through CTest. CI (.ci/run)
# runs this, then the fuzz targets and the tests again under the sanitizers.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh"
cd "$root/build"
ctest --output-on-failure -j2 --timeout 600
