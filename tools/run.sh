#!/usr/bin/env bash
# Installs what is missing, builds, makes a sample FAT32 disk image with live
# and deleted files, and runs the Standard Scan on it with the harness.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset native-release
cmake --build --preset native-release -j "$(nproc)"

samples=build/samples
bash tools/images/make_fat_images.sh "$samples"
echo "Standard Scan of $samples/fat32_s1.img:"
build/native-release/tools/mulvara-harness scan "$samples/fat32_s1.img"
