#!/usr/bin/env bash
# Installs what is missing, builds the program, makes the sample disk images
# and runs Mulvara.exe under Wine with a 64 MiB FAT32 image presented as a
# removable USB disk. With DISPLAY set the program opens on that display;
# without, it runs on a virtual display, a screenshot of its window is saved
# to build/screenshots/mulvara.png and the program is ended.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash tools/setup.sh
source tools/wine_session.sh

# The shipped program is the 32-bit build; a machine that cannot run
# 32-bit programs runs the 64-bit one.
arch=$(wine_arch_for_machine)
if [ "$arch" = 32 ]; then preset=windows; else preset=windows64; fi
cmake --preset "$preset"
cmake --build --preset "$preset" --target Mulvara -j "$(nproc)"
program="$root/build/$preset/app/Mulvara.exe"

samples=build/samples
bash tools/images/make_fat_images.sh "$samples"
bash tools/images/make_device_images.sh "$samples"

# The prefix is kept under build/: the window's placement and the snapshot
# file association persist from one run to the next.
export MULVARA_WINE_SESSION="$root/build/wine"
mkdir -p "$MULVARA_WINE_SESSION"
on_user_display=${DISPLAY:+1}
start_wine_session "$arch"
# Wine draws its own frames only on the virtual display, where no window
# manager runs.
if [ -n "$on_user_display" ]; then managed=Y; else managed=N; fi
wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f >/dev/null 2>&1 || true

export MULVARA_IMAGE_DEVICES="Z:$root/$samples/usb_fat32_mbr.img"
if [ -n "$on_user_display" ]; then
  echo "Mulvara with $samples/usb_fat32_mbr.img as a USB disk"
  wine_run "$program" || true
  "$WINESERVER" -w
  exit 0
fi

wine_run "$program" >/dev/null 2>&1 &
program_pid=$!
for _ in $(seq 120); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Mulvara"' && break
  sleep 0.5
done
if ! xwininfo -root -tree 2>/dev/null | grep -q '"Mulvara"'; then
  echo "run.sh: the Mulvara window did not appear" >&2
  status=1
else
  # The start page paints once the window is shown: give it a moment.
  sleep 2
  mkdir -p build/screenshots
  import -window root -display "$DISPLAY" -trim +repage build/screenshots/mulvara.png
  echo "Mulvara started; its window is in build/screenshots/mulvara.png"
  status=0
fi
"$WINESERVER" -k >/dev/null 2>&1 || true
wait "$program_pid" || true
[ -n "${wine_session_xvfb:-}" ] && kill "$wine_session_xvfb" 2>/dev/null || true
exit "$status"
