#!/usr/bin/env bash
# Builds everything but the benchmarks with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs the worker, simulated camera, probe, library, controller and acceptance tests
# there. Any sanitizer report fails: in a test program, in the worker or the application it starts
# (the tests read their children's reports), or anywhere else in the tests' output.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-asan"
"$root/scripts/setup.sh"

# clang at -O1, the sanitizers' usual level: on the 2-core build machine the largest controller
# test file compiles in 20 s with clang -O1, against 75 s with GCC -O2 (RelWithDebInfo) and 51 s
# with GCC -O1, and the whole build takes about 5 minutes. The tests mostly wait on the worker
# and on timers, so they gain little from more optimisation. GCC is the fallback; its
# UndefinedBehaviorSanitizer ignores log_path, so the controller tests then see a worker's
# undefined behaviour only through what it breaks.
compilers=()
probe="$(mktemp -d)"
trap 'rm -rf "$probe"' EXIT
printf '%s\n' 'int main() { return 0; }' >"$probe/probe.cpp"
if command -v clang >/dev/null 2>&1 && command -v clang++ >/dev/null 2>&1 &&
  clang++ -fsanitize=address,undefined "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1; then
  compilers=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
else
  echo "test_sanitized.sh: clang with its sanitizer runtime is missing; building with the default" \
    "compiler (slower)."
fi

started=$SECONDS
cmake -S "$root" -B "$build" -G Ninja "${compilers[@]}" \
  -DVANTREL_SANITIZE=ON -DVANTREL_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g -DNDEBUG" \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g -DNDEBUG" >/dev/null
cmake --build "$build" -j2
echo "test_sanitized.sh: built in $((SECONDS - started)) s"

# Every program the tests start inherits these. A distinct exit status (no program of ours uses
# 23) keeps a report from passing for an expected failure status; halt_on_error stops at the first
# finding, and the build already makes undefined behaviour fatal.
asan_options=(halt_on_error=1 exitcode=23 detect_leaks=1 detect_stack_use_after_return=1
  check_initialization_order=1 strict_init_order=1)
export ASAN_OPTIONS="$(
  IFS=:
  echo "${asan_options[*]}"
)"
export UBSAN_OPTIONS="halt_on_error=1:exitcode=23:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
# libgphoto2's drivers stay loaded, so that what they leave behind is named (see the library).
# clang links the sanitizer runtime into each program, so any library may be preloaded; GCC's
# shared runtime must come first in the list, and there the drivers unload as usual.
if [ ${#compilers[@]} -gt 0 ]; then
  export LD_PRELOAD="$build/lib/libkeep_camera_drivers.so"
fi

# Not run here: shell.xvfb.*, the screenshot tests. They repeat four controller tests that this
# run already runs offscreen, only under a real X server, which adds Qt's X11 code and not ours;
# the screenshots are the normal run's. The acceptance test (the shoot day, the application killed
# in a burst, a full disk, a hanging library) does run here although it is the longest (about 45 s
# of the run's 4.5 minutes on the 2-core build machine): it is the one place where the application
# and its worker run together end to end.
tests_started=$SECONDS
status=0
(cd "$build" && ctest --output-on-failure -j2 --timeout 600 --test-output-size-passed 4000000 \
  -E '^shell\.xvfb\.') || status=$?
echo "test_sanitized.sh: tests ran in $((SECONDS - tests_started)) s"

# A report can reach a test's output without failing it: a program whose standard error nobody
# reads for reports, or a finding after the test's last check.
if grep -nE 'ERROR: (AddressSanitizer|LeakSanitizer)|: runtime error: |^SUMMARY: [A-Za-z]+Sanitizer' \
  "$build/Testing/Temporary/LastTest.log"; then
  echo "test_sanitized.sh: sanitizer reports in the tests' output" \
    "($build/Testing/Temporary/LastTest.log)" >&2
  status=1
fi
echo "test_sanitized.sh: finished in $((SECONDS - started)) s"
exit "$status"
