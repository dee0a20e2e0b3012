# One Wine prefix and one X display for a whole run, created and removed by
# the caller. Sourced; provides zarvo_wine_start and zarvo_wine_stop.
#
# Wine facts this relies on: the first Wine process must already see DISPLAY;
# Wine does not find its own Tahoma, so the fonts are copied into the prefix;
# without a window manager windows have no title bar, so Wine's virtual
# desktop draws them; Wine's background processes can hold CTest's pipe open,
# so a persistent wineserver is started before the tests.

zarvo_wine_start() {
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  ZARVO_SESSION_DIR=$(mktemp -d /tmp/zarvo-session.XXXXXX)
  export WINEPREFIX="$ZARVO_SESSION_DIR/prefix"

  # A free display number, chosen by Xvfb itself.
  exec 9>"$ZARVO_SESSION_DIR/display"
  Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp >"$ZARVO_SESSION_DIR/xvfb.log" 2>&1 &
  ZARVO_XVFB_PID=$!
  for _ in $(seq 1 100); do
    [ -s "$ZARVO_SESSION_DIR/display" ] && break
    sleep 0.1
  done
  exec 9>&-
  export DISPLAY=":$(head -n1 "$ZARVO_SESSION_DIR/display")"

  wineboot -i >/dev/null 2>&1 </dev/null
  wineserver -w
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 </dev/null
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1 </dev/null
  wineserver -w
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1
  echo "Wine prefix $WINEPREFIX on display $DISPLAY"
}

zarvo_wine_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  [ -n "${ZARVO_XVFB_PID:-}" ] && kill "$ZARVO_XVFB_PID" 2>/dev/null
  [ -n "${ZARVO_SESSION_DIR:-}" ] && rm -rf "$ZARVO_SESSION_DIR"
  return 0
}
