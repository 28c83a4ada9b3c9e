#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through CTest, then the fuzz
# targets, then the tests again under the sanitizers.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh"
cd "$root/build"
ctest --output-on-failure -j2 --timeout 600
# The fuzz targets, built with clang, each run briefly from its seed corpus.
"$root/scripts/test_fuzz.sh"
# The tests again (all but the screenshot tests), built with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/).
"$root/scripts/test_sanitized.sh"
