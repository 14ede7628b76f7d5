#!/usr/bin/env bash
# The Win32 window of pantrel.exe under Wine over many registered models (20,000 unless
# PANTREL_BENCH_MODELS says otherwise): how long it takes to open, and how long F5, a header
# click and Delete -> Tak each take, measured from the key or click until the window, closed
# right after with Escape, is gone. Prints the median of PANTREL_BENCH_RUNS runs (3) and the
# time Escape alone takes, which each of the others includes.
#
#   bench/run_win32_window.sh [EXE]       (EXE: build-windows/pantrel.exe)
#
# A fresh WINEPREFIX and X display of its own, both stopped on every way out.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
exe=$(realpath "${1:-build-windows/pantrel.exe}")
[ -f "$exe" ] || { echo "no $exe: build it first (scripts/build-windows.sh)" >&2; exit 1; }
models=${PANTREL_BENCH_MODELS:-20000}
runs=${PANTREL_BENCH_RUNS:-3}
caption="Sterowniki uniwersalne firmy Tarvex - program serwisowy"

work=$(mktemp -d "${TMPDIR:-/tmp}/pantrel-window-bench.XXXXXX")
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
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -d build-windows/deps/locale/pl_PL.UTF-8 ]; then
  export LOCPATH="$root/build-windows/deps/locale"
  { export LC_ALL=pl_PL.UTF-8; } 2>/dev/null
fi

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

now() { date +%s.%N; }
# Waits (120 s at most) until a window named so is there, or with "gone" until it is not.
wait_window() {
  local pattern=$1 want=${2:-present}
  for _ in $(seq 2400); do
    if xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1; then
      [ "$want" = present ] && return 0
    else
      [ "$want" = gone ] && return 0
    fi
    sleep 0.05
  done
  echo "the window did not become $want" >&2
  exit 1
}
open_window() {  # prints the seconds until the window is there
  local start
  start=$(now)
  wine explorer /desktop=pantrel-bench,800x600 "$exe" >/dev/null 2>&1 &
  wait_window "$caption"
  echo "$(now) - $start" | bc
  sleep 1  # let it settle: painted, keyboard focus in the list
}
close_after() {  # runs the action, then Escape; prints the seconds until the window is gone
  local start
  start=$(now)
  "$@"
  xdotool key Escape
  wait_window "$caption" gone
  echo "$(now) - $start" | bc
  wineserver -w
}
header_click() {
  local window geometry width height
  window=$(xdotool search --name "$caption" | head -n1)
  geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
  width=${geometry%x*}
  height=${geometry#*x}
  xdotool mousemove $((width * 18 / 100)) $((height * 218 / 1000)) click 1
}
delete_yes() {
  xdotool key Delete
  wait_window '^Program serwisowy$'
  sleep 0.5  # the box takes the keyboard only once it is up
  xdotool key Tab Return
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

wineboot -i >/dev/null 2>&1
g++ -std=c++20 -O2 bench/make_spec.cpp -o "$work/make_spec"
"$work/make_spec" "$models" "$work/many.xml"
start=$(now)
wine "$exe" -install "$(winepath -w "$work/many.xml")" >/dev/null 2>&1
install_time=$(echo "$(now) - $start" | bc)

for _ in $(seq "$runs"); do
  open_window >>"$work/open"
  close_after true >>"$work/escape"
  open_window >/dev/null
  close_after xdotool key F5 >>"$work/f5"
  open_window >/dev/null
  close_after header_click >>"$work/header"
  open_window >/dev/null
  close_after delete_yes >>"$work/delete"
done

echo "models: $models, runs: $runs (medians, s)"
echo "install: $install_time"
for figure in open escape f5 header delete; do
  printf '%-7s %s   (all: %s)\n' "$figure:" "$(median <"$work/$figure")" "$(tr '\n' ' ' <"$work/$figure")"
done
