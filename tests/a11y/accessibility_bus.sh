#!/usr/bin/env bash
# Starts the real program on a file set with a time frame of today and a running project, under
# a display and a session bus of its own with the accessibility bus, and reads its window the
# way a screen reader does (read_tree.py). Checks that the totals, the running project, a bar
# of the week chart and the toolbar's buttons are read by name, and that no name carries a
# shortcut's text. Exits 77 (skipped) only when the accessibility bus cannot start.
# Usage: accessibility_bus.sh QUILLORY QUILLORY_CLI READ_TREE
set -euo pipefail

quillory=$1
cli=$2
read_tree=$3
launcher=/usr/libexec/at-spi-bus-launcher
for tool in Xvfb openbox xdotool dbus-daemon dbus-send "$launcher"; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps installs it)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' || { echo "missing python3-pyatspi (scripts/install-deps installs it)"; exit 1; }

work=$(mktemp -d /tmp/quillory-a11y-XXXXXX)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  [ -s "$work/tree" ] && { echo "--- what a reader finds:"; cat "$work/tree"; }
  [ -s "$work/log" ] && { echo "--- program output:"; tail -n 20 "$work/log"; }
  exit 1
}

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export LANG=C.UTF-8 TZ=UTC

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -1 "$work/display")"
openbox >/dev/null 2>&1 &
pids+=($!)

# A session bus of the test's own, never the user's; the accessibility bus hangs off it.
dbus-daemon --session --nofork --print-address=3 3>"$work/bus" 2>"$work/bus.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/bus" ] && break; sleep 0.05; done
[ -s "$work/bus" ] || fail "dbus-daemon printed no address: $(cat "$work/bus.log")"
export DBUS_SESSION_BUS_ADDRESS="$(head -1 "$work/bus")"
"$launcher" --launch-immediately >"$work/launcher.log" 2>&1 &
pids+=($!)
a11y=""
for _ in $(seq 100); do
  a11y=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null) && break
  sleep 0.1
done
if [ -z "$a11y" ]; then
  echo "SKIPPED: the accessibility bus did not start: $(cat "$work/launcher.log")"
  exit 77
fi

# The file set: a frame of today on Alpha, and Beta checked in below.
base="$work/Reader"
"$cli" init "$base.qlr" --currency '$' --date-order mdy >/dev/null
"$cli" add-customer "$base.qlr" --name Acme >/dev/null
"$cli" add-project "$base.qlr" --name Alpha --customer 0 --rate 60 >/dev/null
"$cli" add-project "$base.qlr" --name Beta --customer 0 --rate 30 >/dev/null
today=$(date +%Y-%m-%d)
"$cli" add-frame "$base.qlr" --project 0 --start "$today 09:00" --end "$today 10:30" >/dev/null

export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$quillory" "$base.qlr" >"$work/log" 2>&1 &
pids+=($!)
focus() {
  local id
  id=$(timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -1) || return 1
  [ -n "$id" ] || return 1
  xdotool windowactivate --sync "$id" >/dev/null 2>&1 || xdotool windowfocus --sync "$id"
}
focus "Reader.qlr - Quillory" || fail "the main window did not appear"
# Check In opens the project tree on its last project, Beta.
xdotool key ctrl+e
focus "Quillory's Projects" || fail "the project tree did not open"
xdotool key Return
focus "Reader.qlr - Quillory" || fail "the main window did not come back"

/usr/bin/python3 "$read_tree" 20 "Beta: time" >"$work/tree" 2>"$work/tree.log" || fail "$(cat "$work/tree.log")"

# Each expected line: a role and the exact name that a reader reads, anywhere in the window.
expect() {  # role name
  grep -qxE "[ ]*$1 \| $2 \| .*" "$work/tree" || fail "nothing read as: $1 '$2'"
}
expect "panel" "Quillory main view"
expect "table" "Total charges"
expect "table row" "Today \([0-9/]+\): time 01:30, charges \\\$90\.00"
expect "table cell" "01:30"
expect "table column header" "Charges"
expect "list" "Running projects"
expect "list item" "Beta: time 00:00, charges \\\$0\.00"
expect "chart" "Week chart"
expect "list item" "Alpha, $(date +%A)[^|]*, 09:00 AM to 10:30 AM, duration 01:30"
expect "menu item" "New\.\.\."
expect "menu item" "Check In"
for button in New Open "Check In" "Check Out" Pause Customers Projects "Pie Chart" History Invoice "About Quillory95"; do
  expect "push button" "$button"
done
! grep -qP '\t' "$work/tree" || fail "a name carries a shortcut's text: $(grep -P '\t' "$work/tree" | head -3)"

echo "--- what a reader finds:"
cat "$work/tree"
echo "read through the accessibility bus: $(grep -c "" "$work/tree") objects, the totals, the running project and the chart's bar by name"
