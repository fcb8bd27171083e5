# Sourced: the environment in which the Windows build runs under Wine.
# Expects WINDOWS_BUILD_DIR; keeps the Wine prefix inside it.
export WINEPREFIX="${WINDOWS_BUILD_DIR:?}/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8

orvanta_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # Without a window manager Wine waits about 2 s whenever a managed window closes.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
  fi
}

# Starts Xvfb on a free display unless one is given; sets DISPLAY and ORVANTA_XVFB_PID.
orvanta_display() {
  if [ -n "${DISPLAY:-}" ]; then
    return
  fi
  local number=91
  while [ -e "/tmp/.X${number}-lock" ]; do
    number=$((number + 1))
  done
  Xvfb ":${number}" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  ORVANTA_XVFB_PID=$!
  export DISPLAY=":${number}"
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X${number}" ] && break
    sleep 0.1
  done
}
