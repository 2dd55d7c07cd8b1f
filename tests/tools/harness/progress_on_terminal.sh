#!/usr/bin/env bash
# A Raw Scan that runs for over a second draws its progress line on a
# terminal (script(1) gives it one), over itself, and blanks it before the
# listing; with standard error on a pipe the same scan writes nothing there.
set -euo pipefail
harness=${1:?usage: progress_on_terminal.sh HARNESS IMAGE}
image=${2:?usage: progress_on_terminal.sh HARNESS IMAGE}
skip=77

if ! command -v script >/dev/null; then
  echo "script(1) is missing: no terminal to run the harness on"
  exit $skip
fi
# 256 MiB: a few seconds for this build, even on a fast machine.
arguments=(raw "$image" --types .jpg --count 524288)

started=$(date +%s%N)
terminal=$(script -qec "$(printf '%q ' "$harness" "${arguments[@]}")" /dev/null)
took=$((($(date +%s%N) - started) / 1000000))
piped=$("$harness" "${arguments[@]}" 2>&1 >/dev/null)

if [ -n "$piped" ]; then
  echo "standard error on a pipe got: $piped"
  exit 1
fi
if ! grep -qP '\rmulvara-harness: scanning [0-9]{1,3}% \([0-9]+ files\)' <<<"$terminal"; then
  if [ "$took" -lt 1500 ]; then
    echo "the scan took only $took ms: too short to show progress"
    exit $skip
  fi
  echo "no progress line in $took ms:"
  cat -A <<<"$terminal"
  exit 1
fi
# The last line drawn is blanked with spaces, the cursor back at its start,
# before the total is printed.
if ! grep -qP '\(0 files\)\r +\rtotal\tfiles 0\t' <<<"$terminal"; then
  echo "the progress line was not blanked before the total:"
  cat -A <<<"$terminal"
  exit 1
fi
echo "progress shown on the terminal in $took ms, none on a pipe"
