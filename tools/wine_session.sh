# Sourced by the test and run scripts: a throwaway Wine prefix of one
# architecture and, when no display is set, a virtual one.
#
#   wine_can_run 32|64       whether this machine executes that Wine loader
#   wine_arch_for_machine    prints 32 when the 32-bit loader runs, else 64
#   start_wine_session 32|64 a prefix, loader and server of that architecture
#   wine_run PROGRAM ARGS... a program under the session's loader
#   stop_wine_session        ends the server, the display and the prefix

wine_loader_for() {
  case "$1" in
    32) echo /usr/lib/wine/wine ;;
    64) echo /usr/lib/wine/wine64 ;;
    *) echo "wine_session: unknown architecture '$1' (32 or 64)" >&2; return 2 ;;
  esac
}

# Asks the loader itself: some kernels refuse every 32-bit program
# (ENOEXEC, exit 126) although the package is installed.
wine_can_run() {
  local loader
  loader=$(wine_loader_for "$1") || return 2
  [ -x "$loader" ] && "$loader" --version >/dev/null 2>&1
}

wine_arch_for_machine() {
  if wine_can_run 32; then echo 32; else echo 64; fi
}

wine_run() {
  "$WINELOADER" "$@"
}

# One session may hold a prefix of each architecture; calling this again
# switches to the other one. Scripts started from a session's shell find it
# through MULVARA_WINE_SESSION and use its prefixes, display and servers.
start_wine_session() {
  local arch=${1:-32}
  export WINELOADER
  WINELOADER=$(wine_loader_for "$arch") || return 2
  export WINESERVER=/usr/lib/wine/wineserver$arch
  export WINEARCH=win$arch
  export WINEDEBUG=${WINEDEBUG:--all}
  export LANG=C.UTF-8
  if [ -z "${MULVARA_WINE_SESSION:-}" ]; then
    export MULVARA_WINE_SESSION
    MULVARA_WINE_SESSION=$(mktemp -d)
    wine_session_owner=1
  fi
  export WINEPREFIX="$MULVARA_WINE_SESSION/prefix-$arch"
  if [ -z "${DISPLAY:-}" ]; then
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    wine_session_xvfb=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  [ -d "$WINEPREFIX" ] && return 0
  wine_run wineboot -i >/dev/null 2>&1
  # A 64-bit prefix does not find Wine's own Marlett, and window frames then
  # draw their caption buttons as letters; nor its Wingdings, which list
  # bullets are drawn in.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
  for font in 'marlett.ttf:Marlett (TrueType)' 'wingding.ttf:Wingdings (TrueType)'; do
    local file=${font%%:*} name=${font#*:}
    if [ -f "/usr/share/wine/fonts/$file" ] && [ ! -e "$fonts/$file" ]; then
      mkdir -p "$fonts" && cp "/usr/share/wine/fonts/$file" "$fonts/"
      wine_run reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' \
        /v "$name" /t REG_SZ /d "$file" /f >/dev/null 2>&1 || true
    fi
  done
  # The prefix's own light theme is turned off so that drawing is classic.
  wine_run reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
    /v ThemeActive /t REG_SZ /d 0 /f >/dev/null 2>&1 || true
  # Unmanaged windows: with no window manager on the virtual display, Wine
  # waits two seconds for each managed window it hides.
  wine_run reg add 'HKCU\Software\Wine\X11 Driver' \
    /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
  "$WINESERVER" -w
  # A persistent server, and Wine's own background processes started now
  # with no pipes of ours: started later by a test, they would hold its
  # output pipe open and ctest would wait for them.
  "$WINESERVER" -p
  wine_run cmd /c exit >/dev/null 2>&1 </dev/null || true
}

# Only the shell that made the session ends it.
stop_wine_session() {
  [ -n "${wine_session_owner:-}" ] || return 0
  local prefix
  for prefix in "$MULVARA_WINE_SESSION"/prefix-*; do
    [ -d "$prefix" ] || continue
    WINEPREFIX=$prefix "/usr/lib/wine/wineserver${prefix##*-}" -k >/dev/null 2>&1 || true
  done
  if [ -n "${wine_session_xvfb:-}" ]; then
    kill "$wine_session_xvfb" 2>/dev/null || true
    unset DISPLAY
  fi
  rm -rf "$MULVARA_WINE_SESSION"
  unset MULVARA_WINE_SESSION wine_session_owner wine_session_xvfb
}
