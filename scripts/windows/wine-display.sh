# Sourced by the scripts that drive pantrel.exe's window: a work folder with a fresh WINEPREFIX,
# an X server of its own (Xvfb) as DISPLAY, Wine's Polish locale when the Windows build made one,
# and `wait_window`. Both the server and the prefix are stopped, and the folder removed, on every
# way out. Usage: root=...; source scripts/windows/wine-display.sh NAME (the work folder's prefix).

work=$(mktemp -d "${TMPDIR:-/tmp}/$1.XXXXXX")
xvfb_pid=""
cleanup() {
  if [ -d "$work/prefix" ]; then
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

export WINEPREFIX="$work/prefix" WINEDEBUG=-all,err+module WINEDLLOVERRIDES="mscoree,mshtml="
# Polish system texts (the message boxes' buttons) when the Windows build generated the locale.
if [ -d "$root/build-windows/deps/locale/pl_PL.UTF-8" ]; then
  export LOCPATH="$root/build-windows/deps/locale"
  { export LC_ALL=pl_PL.UTF-8; } 2>/dev/null  # Wine's locale; this shell has none of its own
fi

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY

# Waits until a window whose name matches appears (or, with "gone", disappears); answers 1 when
# that has not happened within SECONDS (20).
wait_window() {
  local pattern=$1 want=${2:-present} seconds=${3:-20} _
  for _ in $(seq $((seconds * 20))); do
    if xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1; then
      [ "$want" = present ] && return 0
    else
      [ "$want" = gone ] && return 0
    fi
    sleep 0.05
  done
  return 1
}
