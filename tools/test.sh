#!/usr/bin/env bash
# Installs what is missing, builds every build and runs every test: the
# native build under AddressSanitizer and UndefinedBehaviorSanitizer, the
# Windows builds under Wine in throwaway prefixes on a virtual display, the
# check that file formats are the same in every build, and the fuzzers for
# a short while.
#
# The 32-bit Windows build is the program we ship; the 64-bit one runs its
# tests on machines that cannot execute 32-bit programs. MULVARA_WINE_ARCH
# chooses which Windows tests run: unset, every architecture this machine
# runs; 64, the 64-bit ones only; 32+64, both (fails where 32-bit programs
# cannot run).
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
jobs=$(nproc)

cmake --preset native
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

source tools/wine_session.sh
arches=()
case "${MULVARA_WINE_ARCH:-}" in
  "")
    if wine_can_run 32; then
      arches=(32 64); why="this machine runs 32-bit programs"
    else
      arches=(64); why="this machine cannot execute the 32-bit Wine loader"
    fi ;;
  64) arches=(64); why="MULVARA_WINE_ARCH=64" ;;
  32+64)
    if ! wine_can_run 32; then
      echo "test.sh: MULVARA_WINE_ARCH=32+64, but this machine cannot execute the 32-bit Wine loader (/usr/lib/wine/wine)" >&2
      exit 1
    fi
    arches=(32 64); why="MULVARA_WINE_ARCH=32+64" ;;
  *)
    echo "test.sh: MULVARA_WINE_ARCH must be unset, 64 or 32+64, not '$MULVARA_WINE_ARCH'" >&2
    exit 2 ;;
esac
if ! wine_can_run 64; then
  echo "test.sh: this machine cannot execute the 64-bit Wine loader (/usr/lib/wine/wine64): no Windows test can run" >&2
  exit 1
fi

# Both Windows builds are built everywhere: compiling and linking the
# program we ship stays checked where its tests cannot run. There its test
# code is left out, which halves that build.
tests32=ON; [ "${#arches[@]}" = 1 ] && tests32=OFF
cmake --preset windows -DMULVARA_BUILD_TESTS=$tests32
cmake --build --preset windows -j "$jobs"
cmake --preset windows64 -DMULVARA_BUILD_TESTS=ON
cmake --build --preset windows64 -j "$jobs"

trap stop_wine_session EXIT
builds=(native)
for arch in "${arches[@]}"; do
  preset=windows; [ "$arch" = 64 ] && preset=windows64
  start_wine_session "$arch"
  # A test process that hangs is tried once more: under load Wine has been
  # seen not to end a process whose tests had all passed, and once a test
  # process ended in 0.08 s before its test started. Failed tests run once
  # more, alone, and are named here whatever the second run says.
  if ! ctest --preset "$preset" -j "$jobs" --repeat after-timeout:2; then
    failed="build/$preset/Testing/Temporary/LastTestsFailed.log"
    # The rerun writes its own log over the first run's.
    cp "build/$preset/Testing/Temporary/LastTest.log" "build/$preset/Testing/Temporary/FirstRun.log"
    echo "test.sh: failed in the $preset run (its log: build/$preset/Testing/Temporary/FirstRun.log), run again alone:" >&2
    cat "$failed" >&2
    ctest --preset "$preset" --rerun-failed --output-on-failure
    echo "test.sh: they passed when run again alone; the first run's failures are listed above" >&2
  fi
  builds+=("$preset")
done

bash tools/check_formats.sh "${builds[@]}"
bash tools/fuzz.sh

tested="i686 and x86_64"; [ "${#arches[@]}" = 1 ] && tested="x86_64 only (i686 program built, its tests neither built nor run)"
echo "test.sh: Windows tests ran for $tested: $why."
