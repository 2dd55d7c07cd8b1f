# Sourced by the benchmark scripts: works from the project's top folder,
# builds the optimised harness and makes a scratch folder, $work, that is
# removed at exit (a file system still mounted at $work/mnt is unmounted).
cd "$(dirname "${BASH_SOURCE[0]}")/.."
export MTOOLS_SKIP_CHECK=1 LANG=C.UTF-8

cmake --preset native-release >/dev/null
cmake --build --preset native-release --target mulvara-harness >/dev/null
harness=build/native-release/tools/mulvara-harness

work=$(mktemp -d)
trap 'mountpoint -q "$work/mnt" 2>/dev/null && umount "$work/mnt"; rm -rf "$work"' EXIT

# fat32_image IMAGE: a 1 GiB FAT32 image holding what is in $work/tree.
fat32_image() {
  truncate -s 1G "$1"
  mkfs.fat -F 32 -s 8 "$1" >/dev/null
  mcopy -s -i "$1" "$work/tree/"* ::/
}

# mount_ntfs IMAGE / unmount_ntfs: an ntfs-3g mount at $work/mnt. The driver
# writes its last changes after the unmount returns, so unmounting waits for
# it to end.
mount_ntfs() {
  mkdir -p "$work/mnt"
  ntfs-3g -o no_detach "$1" "$work/mnt" >/dev/null 2>&1 &
  ntfs_driver=$!
  until mountpoint -q "$work/mnt"; do
    kill -0 "$ntfs_driver" 2>/dev/null || { echo "ntfs-3g could not mount $1" >&2; exit 1; }
    sleep 0.05
  done
}
unmount_ntfs() {
  umount "$work/mnt"
  wait "$ntfs_driver" || true
}
