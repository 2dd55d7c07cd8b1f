#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test: the
# native build under AddressSanitizer and UndefinedBehaviorSanitizer, the
# Windows build under Wine in a throwaway prefix on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
jobs=$(nproc)

cmake --preset native
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

cmake --preset windows
cmake --build --preset windows -j "$jobs"

source tools/wine_session.sh
start_wine_session
trap stop_wine_session EXIT
ctest --preset windows -j "$jobs"
