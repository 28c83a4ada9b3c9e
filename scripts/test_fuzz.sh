#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang into build-fuzz/ and runs each of them briefly
# and the same way every time: a fixed seed, a fixed number of inputs, starting from the seeds in
# fuzz/corpus/<target>. New inputs go to build-fuzz/corpus-out/<target> (emptied first), never to
# the source tree; a crashing input is kept in build-fuzz/artifacts/. Fails on any crash, broken
# property or sanitizer report. Without clang or its libFuzzer runtime it says why and passes.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz"

# Inputs per target, each about half a minute on the 2-core build machine (fuzz_csv_line also
# reads every input as a roster file, exports it and reads it back: fewer inputs in that time).
targets=(
  "fuzz_csv_line 60000"
  "fuzz_worker_commands 150000"
  "fuzz_worker_lines 250000"
  "fuzz_backup_queue_file 100000"
)

skip() {
  echo "test_fuzz.sh: $1; the fuzz targets are skipped (scripts/setup.sh installs clang and" \
    "libclang-rt-14-dev)."
  exit 0
}

command -v clang >/dev/null 2>&1 || skip "clang is not installed"
command -v clang++ >/dev/null 2>&1 || skip "clang++ is not installed"
probe="$(mktemp -d)"
trap 'rm -rf "$probe"' EXIT
printf '%s\n' 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) {' \
  '  return 0;' '}' >"$probe/probe.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" \
  >"$probe/log" 2>&1; then
  cat "$probe/log" >&2
  skip "clang++ cannot link a libFuzzer program (is the libFuzzer runtime installed?)"
fi

started=$SECONDS
CC=clang CXX=clang++ cmake -S "$root/fuzz" -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2
echo "test_fuzz.sh: built in $((SECONDS - started)) s"

mkdir -p "$build/logs" "$build/artifacts"
failed=()
for entry in "${targets[@]}"; do
  read -r target runs <<<"$entry"
  out="$build/corpus-out/$target"
  log="$build/logs/$target.log"
  rm -rf "$out"
  mkdir -p "$out"
  rm -f "$build/artifacts/$target-"*
  target_started=$SECONDS
  status=0
  "$build/bin/$target" -seed=1 -runs="$runs" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/artifacts/$target-" "$out" "$root/fuzz/corpus/$target" \
    >"$log" 2>&1 || status=$?
  if [[ $status -ne 0 ]] || grep -qE '^SUMMARY: |runtime error:|property broken' "$log"; then
    echo "FAIL $target (exit status $status) after $((SECONDS - target_started)) s; log: $log"
    grep -E 'ERROR|SUMMARY|runtime error|property broken|Test unit written' "$log" | head -20 || true
    for artifact in "$build/artifacts/$target-"*; do
      [[ -e $artifact ]] && echo "  replay: $build/bin/$target $artifact"
    done
    failed+=("$target")
  else
    echo "ok   $target: $(grep -E '^Done [0-9]+ runs' "$log" | tail -1)" \
      "(wall $((SECONDS - target_started)) s)"
  fi
done

echo "test_fuzz.sh: finished in $((SECONDS - started)) s"
if [[ ${#failed[@]} -ne 0 ]]; then
  echo "test_fuzz.sh: failed: ${failed[*]}" >&2
  exit 1
fi
