# Sourced by the Wine test scripts once they have made their folder $work: a fresh 64-bit Wine
# prefix in $work/prefix, quiet, without a display; on every way out the prefix's server is
# ended and $work removed. wine_start boots the prefix and keeps a warmed-up server running.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY
finish() {
  # Wine's services otherwise keep running, and with them the pipes of whoever started them.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT
trap 'exit 130' INT TERM

wine_start() {
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # A persistent, warmed-up server: without it every test process waits for Wine's services.
  wineserver -p
  wine wineboot </dev/null >/dev/null 2>&1
}
