#!/usr/bin/env bash
# Builds the fuzz targets (the `fuzz` preset) and runs each for a bounded time
# on a fresh copy of its seeds in tests/engine/fuzz_corpus, four at a time.
# Fails on any crash, leak, timeout, out-of-memory or sanitizer report, and
# keeps the work folder with the logs and the input that failed.
#
#   bash tools/fuzz.sh [SECONDS-PER-TARGET]    (20 by default)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: bash tools/fuzz.sh [SECONDS-PER-TARGET]" >&2
  exit 2
fi
parallel=4
per_input=10  # seconds one input may take before it counts as a hang

root=$(pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/mulvara-fuzz.XXXXXX")
started=$SECONDS

# libFuzzer is clang's: without its runtime nothing can be fuzzed.
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
  > "$work/probe.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$work/probe.cpp" -o "$work/probe" \
     > "$work/probe.log" 2>&1; then
  echo "fuzz.sh: clang++ with libFuzzer is not available (Debian packages clang and libclang-rt-dev); nothing was fuzzed" >&2
  rm -rf "$work"
  exit 1
fi

if ! { cmake --preset fuzz && cmake --build --preset fuzz -j "$parallel" --target fuzzers; } \
     > "$work/build.log" 2>&1; then
  tail -n 40 "$work/build.log" >&2
  echo "fuzz.sh: the fuzz build failed (log: $work/build.log)" >&2
  exit 1
fi

built=$SECONDS
# Each target is built in the binary folder of its area (tests/AREA) and
# has its seeds in tests/AREA/fuzz_corpus/TARGET. A target is a fuzz_*.cpp
# that defines the fuzzer's entry point.
targets=()
declare -A area_of
for source in $(find tests -name 'fuzz_*.cpp' | sort | xargs grep -l LLVMFuzzerTestOneInput); do
  target=$(basename "$source" .cpp)
  targets+=("$target")
  area_of[$target]=$(echo "$source" | cut -d/ -f2)
done

run() { # target: leaves its exit status in the target's folder
  local target=$1 dir="$work/$1" area=${area_of[$1]}
  mkdir -p "$dir/corpus"
  if [ -d "tests/$area/fuzz_corpus/$target" ]; then
    cp "$root/tests/$area/fuzz_corpus/$target"/* "$dir/corpus/"
  fi
  local status=0
  (cd "$dir" && TMPDIR="$dir" UBSAN_OPTIONS=print_stacktrace=1 \
     "$root/build/fuzz/tests/$area/$target" -max_total_time="$seconds" -timeout="$per_input" \
     -print_final_stats=1 -artifact_prefix="$dir/" corpus > "$dir/log" 2>&1) || status=$?
  echo "$status" > "$dir/status"
}

for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
  run "$target" &
done
wait

failed=0
for target in "${targets[@]}"; do
  dir="$work/$target"
  status=$(cat "$dir/status" 2>/dev/null || echo "unknown: the target did not run")
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log" | tail -n 1)
  # A report the sanitizers recovered from counts as much as one that ended the run.
  if [ "$status" = 0 ] && ! grep -qE 'runtime error:|(ERROR|WARNING): [A-Za-z]*Sanitizer|ERROR: libFuzzer' "$dir/log"; then
    printf 'ok      %-22s %s runs\n' "$target" "${runs:-?}"
    continue
  fi
  failed=1
  what=$(grep -m1 -E 'ERROR: libFuzzer|SUMMARY: |runtime error:|(ERROR|WARNING): [A-Za-z]*Sanitizer' "$dir/log" || true)
  printf 'FAILED  %-22s %s\n' "$target" "${what:-exit status $status}"
  for artifact in "$dir"/crash-* "$dir"/leak-* "$dir"/timeout-* "$dir"/oom-*; do
    [ -e "$artifact" ] && echo "        repeat: build/fuzz/tests/${area_of[$target]}/$target $artifact"
  done
  echo "        log:    $dir/log"
done

echo "built in $((built - started)) s, fuzzed ${#targets[@]} targets for ${seconds} s each in $((SECONDS - built)) s"
if [ "$failed" = 1 ]; then
  echo "fuzz.sh: a fuzz target failed; its log and input are kept in $work" >&2
  exit 1
fi
rm -rf "$work"
