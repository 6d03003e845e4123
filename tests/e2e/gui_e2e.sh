#!/usr/bin/env bash
# The real quarnsoft executable on its built-in simulator, in a real X server
# (Xvfb with the openbox window manager), driven from outside with xdotool as
# a technician drives it: keyboard and menus only. What happened is checked
# at the wire (the driver capture written with --record) and in the files the
# program writes; the screens are kept for a look in the work folder.
#
# Usage: gui_e2e.sh QUARNSOFT STRING_TABLE [WORK_DIR]
set -euo pipefail

if [[ -z ${QUARN_E2E_INSIDE_X:-} ]]; then
  for tool in xvfb-run xdotool openbox import; do
    command -v "$tool" >/dev/null || { echo "gui_e2e: $tool is missing"; exit 77; }
  done
  export QUARN_E2E_INSIDE_X=1
  exec xvfb-run -a -s "-screen 0 1280x900x24" bash "$0" "$@"
fi

exe=$1
table=$2
work=${3:-$(mktemp -d)}
mkdir -p "$work"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# A portable folder of its own: the executable with its string table, and no
# settings file, so the program starts in English.
app_dir=$work/app
rm -rf "$app_dir" && mkdir -p "$app_dir"
cp "$exe" "$app_dir/quarnsoft"
cp "$table" "$app_dir/StringTable.txt"
capture=$work/capture.txt

wm_pid= app_pid=
cleanup() {
  for pid in $app_pid $wm_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
}
trap cleanup EXIT

step() { echo "-- $*"; }
fail() {
  echo "FAILED: $*"
  import -window root "$work/failure.png" 2>/dev/null || true
  echo "screen at the failure: $work/failure.png; program's errors: $work/stderr.txt"
  exit 1
}
# Waits up to 20 s for a visible window whose title matches; prints its id.
window_named() {
  local id
  id=$(timeout 20 xdotool search --sync --onlyvisible --limit 1 --name "$1" 2>/dev/null) || return 1
  echo "$id"
}
# Waits up to `2` seconds for the window to be gone.
wait_gone() {
  for _ in $(seq 1 50); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  return 1
}
# Waits up to 10 s for a line of the capture matching the pattern, after
# line `2` of it; prints the number of matching lines.
wait_capture() {
  for _ in $(seq 1 50); do
    local n
    n=$(tail -n +"$(($2 + 1))" "$capture" | grep -c -- "$1" || true)
    [[ $n -gt 0 ]] && { echo "$n"; return 0; }
    sleep 0.2
  done
  return 1
}
capture_lines() { wc -l <"$capture"; }
shot() { import -window root "$work/$1.png"; }
keys() { xdotool key --clearmodifiers --delay 80 "$@"; }
type_text() { xdotool type --clearmodifiers --delay 20 "$1"; }

openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 1

step "start on the simulator"
"$app_dir/quarnsoft" --simulate --record "$capture" 2>"$work/stderr.txt" &
app_pid=$!

sensor=$(window_named '^Radar Zel$') || fail "the sensor window did not open"
xdotool windowactivate --sync "$sensor"
sleep 1
shot sensor-window

step "a list changed by keyboard is written"
# A parameter write is command 4: its frames begin 01 02 04.
write_pattern='Write handle=[0-9]* asked=[0-9]* data=010204'
before=$(capture_lines)
grep -q -- "$write_pattern" "$capture" && fail "a parameter write before any change"
# The sensitivity list has the keyboard focus when the window opens.
keys Down
wait_capture "$write_pattern" "$before" >/dev/null || fail "no parameter write after the list changed"
shot after-change

step "parameters saved to a file"
saved=$work/saved.json
rm -f "$saved" "$work/after-apply.json"
# Saves the sensor's parameters through Tools > Save parameters into `1`.
save_parameters() {
  xdotool windowactivate --sync "$sensor"
  keys alt+t s
  window_named '^Save parameters$' >/dev/null || fail "no save dialog"
  sleep 0.5
  type_text "$1"
  keys Return
  for _ in $(seq 1 50); do [[ -s $1 ]] && break; sleep 0.2; done
  [[ -s $1 ]] || fail "the parameters were not saved to $1"
  sleep 0.5
  shot "saved-$(basename "$1" .json)"
  keys Return # the message saying where they went
  wait_gone '^Save parameters$' || fail "the save message stayed open"
}
json_value() { python3 -c "import json,sys; print(json.load(open(sys.argv[1]))['parameters'][sys.argv[2]])" "$@"; }
save_parameters "$saved"
[[ $(json_value "$saved" sensitivity) == 6 ]] || fail "the saved sensitivity is not the 6 set by keyboard"

step "a value changed in the file is loaded, applied and verified"
python3 - "$saved" <<'PY'
import json, sys
path = sys.argv[1]
data = json.load(open(path))
data["parameters"]["sensitivity"] = 3
json.dump(data, open(path, "w"), indent=2)
PY
before=$(capture_lines)
xdotool windowactivate --sync "$sensor"
keys alt+t l
window_named '^Load parameters$' >/dev/null || fail "no load dialog"
sleep 0.5
type_text "$saved"
keys Return
sleep 1
shot restore-window
keys alt+a
wait_capture "$write_pattern" "$before" >/dev/null || fail "Apply wrote nothing"
sleep 2
shot restore-applied
keys Escape
wait_gone '^Load parameters$' || fail "the restore window stayed open"
save_parameters "$work/after-apply.json"
[[ $(json_value "$work/after-apply.json" sensitivity) == 3 ]] ||
  fail "the sensor does not report the applied sensitivity 3"

step "the signal history opens, exports its samples as CSV and closes"
csv=$work/history.csv
rm -f "$csv"
xdotool windowactivate --sync "$sensor"
keys alt+t h
history=$(window_named '^Signal history$') || fail "the signal history did not open"
sleep 1
shot signal-history
xdotool windowactivate --sync "$history"
keys alt+e
window_named '^Export the signal history$' >/dev/null || fail "no export dialog"
sleep 0.5
type_text "$csv"
keys Return
for _ in $(seq 1 50); do [[ -s $csv ]] && break; sleep 0.2; done
[[ -s $csv ]] || fail "the history was not exported"
head -1 "$csv" | grep -q '^time,ms_since_open,level,alarm' || fail "the CSV has no header"
samples=$(($(wc -l <"$csv") - 1))
[[ $samples -gt 100 ]] || fail "only $samples samples exported"
first=$(sed -n 2p "$csv" | tr -d '\r')
[[ $first =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9:.]+[+-][0-9:]+,[0-9]+,[0-9]+,[01]$ ]] ||
  fail "a CSV line is not time,ms,level,alarm: $first"
xdotool windowactivate --sync "$history"
keys alt+F4
wait_gone '^Signal history$' || fail "the signal history stayed open"

step "the walk test opens and closes"
xdotool windowactivate --sync "$sensor"
keys alt+t w
walk=$(window_named '^Walk test$') || fail "the walk test did not open"
sleep 1
shot walk-test
xdotool windowactivate --sync "$walk"
keys alt+F4
wait_gone '^Walk test$' || fail "the walk test stayed open"

step "the change log opens and closes"
xdotool windowactivate --sync "$sensor"
keys alt+t c
window_named '^Change log$' >/dev/null || fail "the change log did not open"
sleep 0.5
shot change-log
keys Escape
wait_gone '^Change log$' || fail "the change log stayed open"

step "a service report is written"
report=$work/report.pdf
rm -f "$report"
xdotool windowactivate --sync "$sensor"
keys alt+t r
window_named '^Service report$' >/dev/null || fail "the report dialog did not open"
sleep 0.5
type_text "Mario Rossi"
keys Tab
type_text "Via Roma 1"
keys Return
window_named '^Save the service report$' >/dev/null || fail "no report file dialog"
sleep 0.5
type_text "$report"
keys Return
for _ in $(seq 1 50); do [[ -s $report ]] && break; sleep 0.2; done
[[ -s $report ]] || fail "the report was not written"
sleep 0.5
keys Return # the message saying where it went
wait_gone '^Service report$' || fail "the report message stayed open"
if command -v pdftotext >/dev/null; then
  pdftotext "$report" - | grep -q "Mario Rossi" || fail "the report does not name the technician"
  pdftoppm -png -r 60 -f 1 -l 1 "$report" "$work/report-page"
fi

echo "PASSED (screens in $work)"
