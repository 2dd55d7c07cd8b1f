#!/usr/bin/env bash
# The files the program writes and reads do not depend on the build: every
# build named saves snapshots of the same volumes, the snapshots must be the
# same byte for byte, every build lists every build's snapshots alike, and
# "Raw.dat" is one file.
#
#   tools/check_formats.sh BUILD...     BUILD: native, windows or windows64
#
# The Windows builds run under Wine: from a shell with a Wine session (see
# wine_session.sh) or in one started here. The images are the native
# tests' (build/test-images) unless MULVARA_TEST_IMAGES names others.
set -uo pipefail
cd "$(dirname "$0")/.."
source tools/wine_session.sh

[ $# -gt 0 ] || { echo "check_formats.sh: name the builds to compare (native, windows, windows64)" >&2; exit 2; }
builds=("$@")
images=$(realpath "${MULVARA_TEST_IMAGES:-build/test-images}")
work=$(mktemp -d)
trap 'stop_wine_session; rm -rf "$work"' EXIT

harness_of() {
  case "$1" in
    native) echo build/native/tools/mulvara-harness ;;
    windows | windows64) echo "build/$1/tools/mulvara-harness.exe" ;;
    *) echo "check_formats.sh: unknown build '$1'" >&2; return 2 ;;
  esac
}

# Runs the build's harness; paths given as @PATH are passed in the build's
# own form (Wine sees the host's root as Z:).
harness() {
  local build=$1; shift
  local args=() a prefix=""
  [ "$build" = native ] || prefix="Z:"
  for a in "$@"; do
    case "$a" in @*) args+=("$prefix${a#@}") ;; *) args+=("$a") ;; esac
  done
  # Not in the pipeline below: the session must outlive this call.
  case "$build" in
    windows) start_wine_session 32 || return ;;
    windows64) start_wine_session 64 || return ;;
  esac
  if [ "$build" = native ]; then
    "$(harness_of native)" "${args[@]}"
  else
    wine_run "$(harness_of "$build")" "${args[@]}"
  fi | tr -d '\r'
}

passed=0 failed=0
check() {
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "check_formats.sh: FAILED: $what" >&2; fi
}

# Each case: a name, the command that saves the snapshot and the file name
# the harness gives it.
cases=(fat32 fat16 raw)
save_fat32() { harness "$1" scan "@$images/fat32_s1.img" --save "@$2/fat32"; }
save_fat16() { harness "$1" scan "@$images/fat16_s4.img" --save "@$2/fat16"; }
save_raw() { harness "$1" raw "@$images/raw_fat16.img" --types .jpg,.png,.zip --save "@$2/raw"; }
if [ -f "$images/ntfs_c4k.img" ]; then
  cases+=(ntfs)
  save_ntfs() { harness "$1" scan "@$images/ntfs_c4k.img" --save "@$2/ntfs"; }
fi
snapshot_of() { echo "$(echo "$1" | tr '[:lower:]' '[:upper:]').wrx"; }

for build in "${builds[@]}"; do
  mkdir -p "$work/$build"
  for c in "${cases[@]}"; do
    check "$build saves the $c snapshot" eval 'save_$c "$build" "$work/$build" >/dev/null && [ -s "$work/$build/$(snapshot_of $c)" ]'
  done
done

first=${builds[0]}
for build in "${builds[@]:1}"; do
  for c in "${cases[@]}"; do
    check "$build's $c snapshot is $first's byte for byte" \
      cmp "$work/$first/$(snapshot_of "$c")" "$work/$build/$(snapshot_of "$c")"
  done
  check "$build's Raw.dat is $first's" \
    cmp "$(dirname "$(harness_of "$first")")/Raw.dat" "$(dirname "$(harness_of "$build")")/Raw.dat"
done

# Every build lists every build's snapshot as the first build lists its own.
for c in "${cases[@]}"; do
  harness "$first" load "@$work/$first/$(snapshot_of "$c")" >"$work/$c.expected"
  for reader in "${builds[@]}"; do
    for writer in "${builds[@]}"; do
      harness "$reader" load "@$work/$writer/$(snapshot_of "$c")" >"$work/$c.$reader.$writer"
      check "$reader lists $writer's $c snapshot" eval \
        '[ -s "$work/$c.expected" ] && cmp -s "$work/$c.expected" "$work/$c.$reader.$writer"'
    done
  done
done

echo "formats: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
