# Sourced by the scripts that run the Windows build: a private Wine prefix
# under the build tree, a persistent wineserver, and (unless told to use the
# user's display) a private Xvfb. wine_session_end undoes what this started.

wine_session_begin() {   # $1: build dir, $2: "own-display" to keep $DISPLAY
  local build=$1
  # The user's desktop has a window manager; the virtual display has none and
  # needs Wine to manage its windows itself, a per-prefix setting.
  if [ "${2:-}" = own-display ]; then
    export WINEPREFIX="$build/wineprefix-desktop"
  else
    export WINEPREFIX="$build/wineprefix"
  fi
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
  mkdir -p "$WINEPREFIX"
  XVFB_PID=
  if [ "${2:-}" != own-display ]; then
    local fdfile; fdfile=$(mktemp)
    Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp 5>"$fdfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
    if [ ! -s "$fdfile" ]; then echo "wine-session: Xvfb did not start" >&2; rm -f "$fdfile"; return 1; fi
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
  fi
  # Without a persistent server every wine process under a pipe costs ~2.5 s.
  wineserver -p
  if [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -f "$WINEPREFIX/.qsb-ready" ]; then
    echo "wine-session: preparing $WINEPREFIX (first run only)"
    timeout 300 wineboot -i </dev/null >/dev/null 2>&1 || true
    # No window manager here: let Wine manage its windows and never show a crash dialog.
    if [ "${2:-}" != own-display ]; then
      timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    fi
    timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    touch "$WINEPREFIX/.qsb-ready"
  fi
  # Start Wine's own services now, outside any test: they live as long as the
  # server and would otherwise hold a test runner's output pipe open.
  timeout 60 wineboot </dev/null >/dev/null 2>&1 || true
}

wine_session_end() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
}
