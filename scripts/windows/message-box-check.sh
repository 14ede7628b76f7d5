#!/usr/bin/env bash
# Run inside an X server (xvfb-run) by scripts/test-windows.sh: pantrel.exe -install on a file
# that does not parse must show the loader's message in a modal box captioned "Program
# serwisowy", wait while it is open, print the message on standard error as well, and end with 1
# once the box is closed with Enter.
set -u
exe=$1 file=$2 err=$3
wine "$exe" -install "$file" >/dev/null 2>"$err" &
pid=$!
box=$(timeout 30 xdotool search --sync --name '^Program serwisowy$' | head -n1)
if [ -z "$box" ]; then
  echo "no message box appeared" >&2
  kill "$pid" 2>/dev/null
  exit 1
fi
sleep 1
if ! kill -0 "$pid" 2>/dev/null; then
  echo "pantrel.exe ended while its message box was still open" >&2
  exit 1
fi
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus "$box"
xdotool key --window "$box" Return
status=0
wait "$pid" || status=$?
if [ "$status" -ne 1 ]; then
  echo "pantrel.exe ended with $status after its message box" >&2
  exit 1
fi
