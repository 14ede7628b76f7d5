#!/usr/bin/env bash
# The Win32 window of pantrel.exe under Wine over many registered models (20,000 unless
# PANTREL_BENCH_MODELS says otherwise): how long it takes to open, and how long F5, a header
# click and Delete -> Tak each take, measured from the key or click until the window, closed
# right after with Escape, is gone. Prints the median of PANTREL_BENCH_RUNS runs (3), the time
# Escape alone takes, which each of the others includes, and the opening over an empty registry
# (Wine's own share).
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

source scripts/windows/wine-display.sh pantrel-window-bench

now() { date +%s.%N; }
# As wait_window, but a window that does not come or go within 120 s ends the run.
must_wait() {
  wait_window "$1" "${2:-present}" 120 || { echo "no window \"$1\" ${2:-present}" >&2; exit 1; }
}
open_window() {  # prints the seconds until the window is there
  local start
  start=$(now)
  wine explorer /desktop=pantrel-bench,800x600 "$exe" >/dev/null 2>&1 &
  must_wait "$caption"
  echo "$(now) - $start" | bc
  sleep 2  # let it settle: painted, keyboard focus in the list
}
# Runs `prepare`, then from the start of the timed action until the window, closed with Escape
# after the action, is gone; prints those seconds.
measure() {
  local prepare=$1 start
  shift
  $prepare
  start=$(now)
  "$@"
  xdotool key Escape
  # Under a heavy load Wine's virtual desktop now and then drops a key: pressed again, the run
  # goes on and its figure, a minute longer, shows as an outlier among "all".
  if ! wait_window "$caption" gone 60; then
    echo "an Escape was lost; pressed again" >&2
    xdotool key Escape
    must_wait "$caption" gone
  fi
  echo "$(now) - $start" | bc
  wineserver -w
}
nothing() { :; }
header_click() {
  local window geometry width height
  window=$(xdotool search --name "$caption" | head -n1)
  geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
  width=${geometry%x*}
  height=${geometry#*x}
  xdotool mousemove $((width * 18 / 100)) $((height * 218 / 1000)) click 1
}
ask_delete() {
  xdotool key Delete
  must_wait '^Program serwisowy$'
  sleep 0.5  # the box takes the keyboard only once it is up
}
answer_yes() {
  xdotool key Tab Return
  must_wait '^Program serwisowy$' gone
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

wineboot -i >/dev/null 2>&1
g++ -std=c++20 -O2 bench/make_spec.cpp -o "$work/make_spec"
"$work/make_spec" "$models" "$work/many.xml"
# Wine's own share: the window over an empty registry, after a first start of Wine's services.
open_window >/dev/null
measure nothing true >/dev/null
for _ in $(seq "$runs"); do
  open_window >>"$work/open-empty"
  measure nothing true >/dev/null
done
start=$(now)
wine "$exe" -install "$(winepath -w "$work/many.xml")" >/dev/null 2>&1
install_time=$(echo "$(now) - $start" | bc)
start=$(now)
wine "$exe" -list >/dev/null 2>&1
list_time=$(echo "$(now) - $start" | bc)

for _ in $(seq "$runs"); do
  open_window >>"$work/open"
  measure nothing true >>"$work/escape"
  open_window >/dev/null
  measure nothing xdotool key F5 >>"$work/f5"
  open_window >/dev/null
  measure nothing header_click >>"$work/header"
  open_window >/dev/null
  measure ask_delete answer_yes >>"$work/delete"
done

echo "models: $models, runs: $runs (medians, s; each of escape, f5, header and delete"
echo "includes the close by Escape)"
echo "install: $install_time   -list: $list_time"
for figure in open-empty open escape f5 header delete; do
  printf '%-11s %s   (all: %s)\n' "$figure:" "$(median <"$work/$figure")" \
    "$(tr '\n' ' ' <"$work/$figure")"
done
