# Sourced by the test and run scripts: a throwaway Wine prefix and, when no
# display is set, a virtual one.

start_wine_session() {
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEARCH=win32
  export LANG=C.UTF-8
  if [ -z "${WINEPREFIX:-}" ]; then
    wine_session_dir=$(mktemp -d)
    export WINEPREFIX="$wine_session_dir/prefix"
  fi
  if [ -z "${DISPLAY:-}" ]; then
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    wine_session_xvfb=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  wineboot -i >/dev/null 2>&1
  # The prefix's own light theme is turned off so that drawing is classic.
  wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
    /v ThemeActive /t REG_SZ /d 0 /f >/dev/null 2>&1 || true
  wineserver -w
  # A persistent server, and Wine's own background processes started now
  # with no pipes of ours: started later by a test, they would hold its
  # output pipe open and ctest would wait for them.
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

stop_wine_session() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${wine_session_xvfb:-}" ] && kill "$wine_session_xvfb" 2>/dev/null || true
  [ -n "${wine_session_dir:-}" ] && rm -rf "$wine_session_dir" || true
}
