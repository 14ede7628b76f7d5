#!/usr/bin/env bash
# Builds Pantrel for Windows (scripts/build-windows.sh) and runs its tests under Wine in a fresh
# Wine prefix of its own: the GoogleTest executables through CTest, then pantrel.exe itself on
# the examples, with what it wrote read back by Wine's own reg.exe. The prefix's wineserver is
# ended and the prefix removed on every way out.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/build-windows.sh

# A Polish locale of our own: Wine then runs with the ANSI code page 1250 and decodes Unix file
# names and arguments holding Polish letters correctly.
locales=$root/build-windows/deps/locale
if [ ! -d "$locales/pl_PL.UTF-8" ]; then
  mkdir -p "$locales"
  localedef -i pl_PL -f UTF-8 "$locales/pl_PL.UTF-8"
fi

work=$(mktemp -d "$root/build-windows/wine-run-XXXXXX")
# shellcheck source=windows/wine-prefix.sh
source scripts/windows/wine-prefix.sh
export LOCPATH=$locales
{ export LC_ALL=pl_PL.UTF-8; } 2>/dev/null  # Wine's locale; this shell has none of its own
wine_start

ctest --test-dir build-windows --output-on-failure --timeout 120 -j"$(nproc)"

# ---- pantrel.exe end to end -------------------------------------------------------------------
exe=$root/build-windows/pantrel.exe
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
# The registry under Software\Tarvex as Wine's reg.exe exports it from the 32-bit view, UTF-8.
# An optional key narrows it, e.g. to the drivers' part without the tool's own key.
registry_export() {
  rm -f "$work/export.reg"
  if wine reg export "${1:-HKLM\Software\Tarvex}" "$(winepath -w "$work/export.reg")" /reg:32 /y \
      >/dev/null 2>&1; then
    iconv -f UTF-16LE -t UTF-8 "$work/export.reg" | sed '1s/^\xEF\xBB\xBF//' | tr -d '\r'
  fi
}
# The expected value lines of a specification's models of one kind, read with xmllint: the
# model's name, "|", the producer of its driver, and the file's Windows path.
expected_entries() {  # file, Windows path as .reg writes it, the drivers' "typ"
  local file=$1 data=$2 count i name producer
  local model="(//*[local-name()='Sterownik'][@typ='$3']//*[local-name()='Model'])"
  count=$(xmllint --xpath "count($model)" "$file")
  for ((i = 1; i <= count; i++)); do
    name=$(xmllint --xpath "string(${model}[$i]/*[local-name()='Nazwa'])" "$file")
    producer=$(xmllint --xpath \
      "string(${model}[$i]/ancestor::*[local-name()='Sterownik']/*[local-name()='Producent'])" "$file")
    printf '"%s|%s"="%s"\n' "$name" "$producer" "$data"
  done
}

cash='Sterowniki2\Kasy fiskalne\{FED75241-388C-11d9-AAE0-000C2963BED9}'
folder="$work/przykłady łódź"
mkdir -p "$folder"
cp examples/*.xml "$folder/"
cp examples/kasy_fiskalne.xml "$folder/kasy żółte.xml"
cash_file="$folder/kasy żółte.xml"
cash_data=$(winepath -w "$cash_file" | sed 's/\\/\\\\/g')

# Install: a relative path with Polish letters and a blank, resolved against the current folder.
status=0
(cd "$folder" && wine "$exe" -install "kasy żółte.xml" >"$work/out" 2>"$work/err") || status=$?
[ "$status" -eq 0 ] || fail "-install ended with $status: $(cat "$work/err")"
exported=$(registry_export)
expected=$(expected_entries "$cash_file" "$cash_data" "Kasa fiskalna")
[ "$(echo "$expected" | wc -l)" -ge 2 ] || fail "the example declares too few cash-register models"
while IFS= read -r line; do
  grep -qxF "$line" <<<"$exported" || fail "entry missing after -install: $line"
done <<<"$expected"
grep -qxF '"Wersja"="0.1.0"' <<<"$exported" || fail "Wersja is not 0.1.0 after one install"
if wine reg query 'HKLM\Software\Tarvex' /reg:64 >/dev/null 2>&1; then
  fail "the 64-bit registry view was written"
fi

# List: every entry, with the Windows path, on standard output redirected to a file.
status=0
wine "$exe" /LIST >"$work/list" 2>"$work/err" || status=$?
[ "$status" -eq 0 ] || fail "/LIST ended with $status"
# -list escapes backslashes, as .reg data does.
grep -qF "Kasomat Mini 100	Kasomat Sp. z o.o.	$cash_data" "$work/list" ||
  fail "-list does not show the installed model: $(cat "$work/list")"
# Windows readers (Notepad of Windows 7 among them) need CR LF at every line end.
crlf_only() { [ -s "$1" ] && ! grep -q $'[^\r]$' "$1" && ! grep -q $'^$' "$1"; }
crlf_only "$work/list" || fail "-list into a file does not end its lines with CR LF"

# The same from cmd.exe, which redirects the output of the windowed program itself.
wine cmd /c "$(winepath -w "$exe") -list > $(winepath -w "$work/cmd-list")" </dev/null \
  >/dev/null 2>&1 || true
grep -qF "Kasomat Mini 100" "$work/cmd-list" 2>/dev/null || fail "-list from cmd.exe wrote nothing"

# Export: a .reg file (Windows-1250) under a Polish name, holding what -install wrote.
status=0
(cd "$folder" && wine "$exe" -export "rejestr żółty.reg" >/dev/null 2>"$work/err") || status=$?
[ "$status" -eq 0 ] || fail "-export ended with $status: $(cat "$work/err")"
iconv -f WINDOWS-1250 -t UTF-8 "$folder/rejestr żółty.reg" 2>/dev/null |
  grep -qF "Kasomat Łącznik 200|Kasomat Sp. z o.o." || fail "-export did not write the entries"
# Each usual way of importing it on 64-bit Windows lands in the 32-bit view, where the driver
# reads, and writes nothing into the 64-bit one; the last import leaves the drivers' part of the
# registry as it was (the tool's own key, where it records work in progress, is not exported).
drivers='HKLM\Software\Tarvex\Sterowniki2'
exported=$(registry_export "$drivers")
reg_file=$(winepath -w "$folder/rejestr żółty.reg")
for way in "reg import" "regedit /s" "reg import /reg:32"; do
  wine reg delete 'HKLM\Software\Tarvex' /f /reg:32 >/dev/null 2>&1
  read -r -a args <<<"$way"
  if [ "${#args[@]}" -eq 3 ]; then
    wine "${args[0]}" "${args[1]}" "$reg_file" "${args[2]}" >/dev/null 2>&1 || fail "$way ended with an error"
  else
    wine "${args[0]}" "${args[1]}" "$reg_file" >/dev/null 2>&1 || fail "$way ended with an error"
  fi
  [ "$(registry_export "$drivers")" = "$exported" ] ||
    fail "$way of the -export file did not restore the 32-bit view"
  wine reg query 'HKLM\Software\Tarvex' /reg:64 >/dev/null 2>&1 && fail "$way wrote the 64-bit view"
  wine reg query 'HKLM\Software\WOW6432Node\WOW6432Node' /reg:64 >/dev/null 2>&1 &&
    fail "$way wrote a WOW6432Node inside the 32-bit view"
done

# A target with the read-only attribute, or a device, is refused and left as it was.
printf 'stare' >"$folder/tylko.reg"
wine attrib +R "$(winepath -w "$folder/tylko.reg")" >/dev/null 2>&1
status=0
(cd "$folder" && wine "$exe" -export "tylko.reg" >/dev/null 2>"$work/err") || status=$?
[ "$status" -eq 1 ] || fail "-export onto a read-only file ended with $status"
[ "$(cat "$folder/tylko.reg")" = "stare" ] || fail "-export replaced a read-only file"
grep -qF "tylko do odczytu" "$work/err" || fail "-export onto a read-only file: $(cat "$work/err")"
status=0
(cd "$folder" && wine "$exe" -export "NUL" >/dev/null 2>"$work/err") || status=$?
[ "$status" -eq 1 ] || fail "-export onto the NUL device ended with $status"

# Validate: what an install would register, printed, and nothing written.
before=$(registry_export)
status=0
wine "$exe" -validate "$(winepath -w "$folder/sklep_komplet.xml")" >"$work/out" 2>"$work/err" ||
  status=$?
[ "$status" -eq 0 ] || fail "-validate ended with $status: $(cat "$work/err")"
[ -s "$work/out" ] || fail "-validate printed nothing"
crlf_only "$work/out" || fail "-validate into a file does not end its lines with CR LF"
[ "$(registry_export)" = "$before" ] || fail "-validate changed the registry"

# A switch written directly against an absolute path; then a path with blanks, which Wine
# hands over in double quotes, as an installer would write it.
scales="$work/wagi-łódź"
mkdir -p "$scales"
cp examples/wagi_etykietujace.xml "$scales/wagi.xml"
scale_key='[HKEY_LOCAL_MACHINE\Software\Tarvex\Sterowniki2\Wagi etykietujące\{DCC51001-388C-11d9-AAE0-000C2963BED9}\ModeleUni]'
status=0
wine "$exe" "/INSTALL$(winepath -w "$scales/wagi.xml")" >/dev/null 2>"$work/err" || status=$?
[ "$status" -eq 0 ] || fail "/INSTALL against its path ended with $status: $(cat "$work/err")"
grep -qxF "$scale_key" <<<"$(registry_export)" || fail "/INSTALL against its path wrote nothing"
status=0
wine "$exe" -uninstall "$(winepath -w "$folder/wagi_etykietujace.xml")" >/dev/null 2>&1 ||
  status=$?
[ "$status" -eq 0 ] || fail "-uninstall of a quoted path with blanks ended with $status"
grep -qxF "$scale_key" <<<"$(registry_export)" && fail "-uninstall of a quoted path did nothing"

# Failures: a missing file and a file that does not validate end with 1 and say why.
status=0
wine "$exe" -install "$(winepath -w "$folder/brak.xml")" >/dev/null 2>"$work/err" || status=$?
[ "$status" -eq 1 ] || fail "-install of a missing file ended with $status"
grep -q "nie istnieje" "$work/err" || fail "no explanation of a missing file: $(cat "$work/err")"

# Uninstall: the entries and the model key go, the version stays.
status=0
wine "$exe" -uninstall "$(winepath -w "$cash_file")" >/dev/null 2>"$work/err" || status=$?
[ "$status" -eq 0 ] || fail "-uninstall ended with $status: $(cat "$work/err")"
exported=$(registry_export)
grep -qF "[HKEY_LOCAL_MACHINE\\Software\\Tarvex\\$cash\\ModeleUni]" <<<"$exported" &&
  fail "ModeleUni is still there after -uninstall"
grep -qxF '"Wersja"="0.1.0"' <<<"$exported" || fail "Wersja did not stay after -uninstall"

# Under another ANSI code page (1252, with the C.UTF-8 locale), where "ł" or "ż" have no byte,
# the path, the key "Wagi etykietujące" and the names still arrive exact.
other="$folder/wagi żółw.xml"
cp examples/wagi_etykietujace.xml "$other"
status=0
(cd "$folder" && env -u LOCPATH LC_ALL=C.UTF-8 wine "$exe" -install "wagi żółw.xml" \
  >/dev/null 2>"$work/err") || status=$?
[ "$status" -eq 0 ] || fail "-install under code page 1252 ended with $status: $(cat "$work/err")"
exported=$(registry_export)
grep -qxF "$scale_key" <<<"$exported" || fail "no label-scale key after -install under 1252"
while IFS= read -r line; do
  grep -qxF "$line" <<<"$exported" || fail "entry missing after -install under 1252: $line"
done <<<"$(expected_entries "$other" "$(winepath -w "$other" | sed 's/\\/\\\\/g')" "Waga etykietująca")"

# Without a visible desktop (a service in session 0, which the test build is told it is) a file
# that cannot be registered shows no box: the message goes to standard error and, where a box
# would have stood, to the Application event log (Wine's event log keeps nothing, but prints the
# record on its "eventlog" channel), and the run ends with 1 instead of waiting for an OK.
seams=$root/build-windows/tests/app/pantrel_seams.exe
: >"$work/empty.xml"
# Longer than Windows' 260 characters; Wine cannot open it, so it is refused before the loader.
long_path="$work/$(printf 'd%.0s' $(seq 200))/$(printf 'f%.0s' $(seq 100)).xml"
mkdir -p "$(dirname "$long_path")"
cp tests/data/loader/invalid_unclosed_element.xml "$long_path"
while IFS='|' read -r what file boxed; do
  status=0
  PANTREL_TEST_NO_DESKTOP=1 WINEDEBUG=-all,err+eventlog timeout 60 wine "$seams" -install \
    "$(winepath -w "$file")" >/dev/null 2>"$work/err" </dev/null || status=$?
  [ "$status" -eq 1 ] || fail "without a desktop, -install of $what ended with $status"
  grep -v ':err:eventlog:' "$work/err" | grep -q "^Błąd w pliku \|^pantrel: " ||
    fail "without a desktop, -install of $what did not say why: $(cat "$work/err")"
  if [ "$boxed" = box ]; then
    # Wine prints the record's text with backslashes doubled and other letters than ASCII as
    # \NNNN (hexadecimal).
    record=$(printf "Błąd w pliku '%s' linia" "$(winepath -w "$file" | sed 's/\\/\\\\/g')" |
      perl -CS -pe 's/([^\x00-\x7f])/sprintf("\\%04x", ord($1))/ge')
    grep -qF ":err:eventlog:ReportEventW L\"$record" "$work/err" ||
      fail "without a desktop, the message on $what did not reach the event log: $(cat "$work/err")"
  fi
done <<EOF_CASES
a file that does not parse|$root/tests/data/loader/invalid_unclosed_element.xml|box
a file that breaks the schema|$root/tests/data/loader/invalid_model_name_bar.xml|box
an empty file|$work/empty.xml|box
a folder|$folder|nobox
a path longer than the system allows|$long_path|nobox
EOF_CASES
status=0
PANTREL_TEST_NO_DESKTOP=1 timeout 60 wine "$seams" >/dev/null 2>"$work/err" </dev/null || status=$?
[ "$status" -eq 2 ] || fail "without a desktop, the window was asked for and the run ended with $status"
grep -q "brak widocznego pulpitu" "$work/err" || fail "no explanation of the missing desktop: $(cat "$work/err")"

# An install or uninstall killed after any of its writes, finished by the next run (-list).
bash scripts/windows/interrupted-runs-check.sh "$exe" "$root/build-windows/pantrel-killed-run.exe" \
  "$work/interrupted" || fail "a killed run was not finished by the next run"

# The parse-error message box, in an X server of its own: Wine's desktop takes the display of
# the server session it starts in, so that session is ended and a new one started inside Xvfb.
# Nothing may start Wine in between (not even winepath), or the session starts without a display.
broken=$(winepath -w tests/data/loader/invalid_unclosed_element.xml)
wineserver -k
wineserver -w
if xvfb-run -a -s '-screen 0 1024x768x24 -nolisten tcp' bash scripts/windows/message-box-check.sh \
    "$exe" "$broken" "$work/err"; then
  grep -q "^Błąd w pliku .* linia 13, pozycja 15:" "$work/err" ||
    fail "the parse error was not printed besides the box: $(cat "$work/err")"
else
  fail "the parse error's message box"
fi

# The window, driven with xdotool in a Wine virtual desktop, with a prefix and X server of its own.
bash scripts/test-windows-window.sh "$exe" || fail "the Win32 window"

if [ "$failures" -ne 0 ]; then
  echo "pantrel.exe end to end: $failures failure(s)" >&2
  exit 1
fi
echo "pantrel.exe end to end: passed"
