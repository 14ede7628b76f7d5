#!/usr/bin/env bash
# Drives the window of pantrel.exe under Wine, in a Wine virtual desktop on Xvfb, with xdotool:
# it opens with its caption over installed examples, a header click re-sorts and a second one
# sorts back, a typed letter moves no row, F5 re-reads the registry, Delete asks and No keeps the
# model, Yes removes it (both read back with `wine reg query`), also with the focus on a button,
# as does Ctrl+R, Alt+Space then P opens the About box, Escape closes the box and then the window.
#
#   scripts/test-windows-window.sh [EXE]                      the test (EXE: build-windows/pantrel.exe)
#   scripts/test-windows-window.sh --screenshot FILE [EXE]    the window over the showroom models
#                                                             as a PNG (docs/screenshot-windows.png)
#
# Every run uses a fresh WINEPREFIX and X display of its own and stops both on every way out.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

screenshot=""
if [ "${1:-}" = "--screenshot" ]; then
  screenshot=$(realpath -m "$2")
  shift 2
fi
exe=$(realpath "${1:-build-windows/pantrel.exe}")
[ -f "$exe" ] || { echo "no $exe: build it first (scripts/build-windows.sh)" >&2; exit 1; }

caption="Sterowniki uniwersalne firmy Tarvex - program serwisowy"
about_caption="Informacje o programie"
box_caption="^Program serwisowy$"

source scripts/windows/wine-display.sh pantrel-window

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
step() { echo "-- $*"; }

# A PNG of the main window, which the virtual desktop keeps at its top-left corner.
main_window=""
snap() {
  local geometry
  geometry=$(xdotool getwindowgeometry "$main_window" | sed -n 's/.*Geometry: //p')
  sleep 0.5  # let Wine finish painting
  import -window root -crop "${geometry}+0+0" +repage "$1"
}

same_picture() {
  [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]
}

registered() {  # is a model entry (value name) in the registry, 32-bit view?
  wine reg query 'HKLM\Software\Tarvex\Sterowniki2' /s /reg:32 2>/dev/null | tr -d '\r' |
    grep -qF "    $1    "
}

install() {
  wine "$exe" -install "$1" >/dev/null 2>&1 || fail "pantrel.exe -install $1"
}

step "Wine prefix"
wineboot -i >/dev/null 2>&1

# --- The window's pieces on real controls, which need the display this script has -------------
pieces="$(dirname "$exe")/tests/ui/win32/ui_win32_tests.exe"
if [ -z "$screenshot" ] && [ -f "$pieces" ]; then
  step "ui_win32_tests"
  wine "$pieces" >"$work/pieces.log" 2>&1 || { cat "$work/pieces.log" >&2; fail "ui_win32_tests"; }
  grep -q SKIPPED "$work/pieces.log" && { cat "$work/pieces.log" >&2; fail "ui_win32_tests skipped"; }
fi

# --- The screenshot for the README --------------------------------------------------------------
if [ -n "$screenshot" ]; then
  # From a folder on drive C:, so the path column reads the same on every machine.
  mkdir -p "$WINEPREFIX/drive_c/Specyfikacje"
  cp "$root/tests/data/ui/showroom.xml" "$WINEPREFIX/drive_c/Specyfikacje/sklep_pod_lipami.xml"
  install 'C:\Specyfikacje\sklep_pod_lipami.xml'
  wine explorer /desktop=pantrel,800x600 "$exe" >/dev/null 2>&1 &
  wait_window "$caption" || fail "the window did not open"
  main_window=$(xdotool search --name "$caption" | head -n1)
  # The virtual desktop leaves the first window of the program inactive; it is activated again
  # when the About box closes, so the caption is painted as on a real desktop.
  sleep 0.5
  xdotool key alt+space
  sleep 0.5
  xdotool key p
  wait_window "$about_caption" || fail "no About box"
  sleep 0.5
  xdotool key Escape
  wait_window "$about_caption" gone || fail "Escape did not close the About box"
  sleep 1
  snap "$screenshot"
  xdotool key Escape
  wait_window "$caption" gone || fail "Escape did not close the window"
  echo "wrote $screenshot"
  exit 0
fi

# --- The test -----------------------------------------------------------------------------------
for file in kasy_fiskalne wagi_etykietujace sklep_komplet; do
  install "$root/examples/$file.xml"
done

step "the window opens with its caption"
wine explorer /desktop=pantrel-test,800x600 "$exe" >/dev/null 2>&1 &
wait_window "$caption" || fail "no window captioned \"$caption\""
main_window=$(xdotool search --name "$caption" | head -n1)
width=$(xdotool getwindowgeometry "$main_window" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
height=$(xdotool getwindowgeometry "$main_window" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
snap "$work/opened.png"

step "a click on the model header re-sorts, a second click sorts back"
# The model column's header: a fifth of the way across, just below the list's top edge.
header_x=$((width * 18 / 100))
header_y=$((height * 218 / 1000))
xdotool mousemove "$header_x" "$header_y" click 1 mousemove 790 590
snap "$work/descending.png"
same_picture "$work/opened.png" "$work/descending.png" && fail "the header click changed nothing"
xdotool mousemove "$header_x" "$header_y" click 1 mousemove 790 590
snap "$work/ascending.png"
same_picture "$work/opened.png" "$work/ascending.png" ||
  fail "a second header click did not bring back the opening order"

step "a typed letter moves nothing (no row has a text in the first column)"
xdotool key Down
snap "$work/second-row.png"
same_picture "$work/ascending.png" "$work/second-row.png" && fail "Down moved nothing"
xdotool key k
snap "$work/after-letter.png"
same_picture "$work/second-row.png" "$work/after-letter.png" || fail "a typed letter moved the current row"
xdotool key Up
snap "$work/back-up.png"
same_picture "$work/ascending.png" "$work/back-up.png" || fail "Up did not bring back the first row"

step "F5 re-reads the registry"
# Alfa W, a label scale, sorts before every example model, so after the re-read it is the
# first row, which is current.
install "$root/tests/data/ui/three_kinds.xml"
snap "$work/before-f5.png"
same_picture "$work/ascending.png" "$work/before-f5.png" || fail "the list changed by itself"
xdotool key F5
snap "$work/after-f5.png"
same_picture "$work/before-f5.png" "$work/after-f5.png" && fail "F5 did not re-read the list"

step "Delete asks; No (the default) keeps the model"
xdotool key Delete
wait_window "$box_caption" || fail "Delete asked nothing"
sleep 0.5  # the box takes the keyboard only once it is up
xdotool key Return
wait_window "$box_caption" gone || fail "the question did not close"
registered 'Alfa W|Bravo' || fail "No removed the model"

step "Delete asks also with the focus on a button; Yes removes the model"
xdotool key Tab  # from the list to "Dodaj"
xdotool key Delete
wait_window "$box_caption" || fail "Delete asked nothing"
sleep 0.5  # the box takes the keyboard only once it is up
xdotool key Tab Return
wait_window "$box_caption" gone || fail "the question did not close"
sleep 0.5
registered 'Alfa W|Bravo' && fail "Yes did not remove the model"
registered 'Bravo K|Charlie' || fail "another model went too"

step "Ctrl+R re-reads the registry, the focus still on the button"
install "$root/tests/data/ui/sort_models.xml"
snap "$work/before-ctrl-r.png"
xdotool key ctrl+r
snap "$work/after-ctrl-r.png"
same_picture "$work/before-ctrl-r.png" "$work/after-ctrl-r.png" && fail "Ctrl+R did not re-read"

step "Alt+Space then P opens the About box"
xdotool key alt+space
sleep 0.5
xdotool key p
wait_window "$about_caption" || fail "no About box"
sleep 0.5

step "Escape closes the About box, then the window"
xdotool key Escape
wait_window "$about_caption" gone || fail "Escape did not close the About box"
xdotool key Escape
wait_window "$caption" gone || fail "Escape did not close the window"

echo "PASS: the Win32 window"
