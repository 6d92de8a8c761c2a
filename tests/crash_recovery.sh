#!/usr/bin/env bash
# Kills the real program while two projects run, starts it again and checks that both are
# offered with their starts exact to the second, and that checking them out writes exactly
# those starts. ROUNDS rounds with SIGKILL, then ROUNDS with SIGTERM, where the program must
# also exit at once (no question may block it, not even the recovery question) and journal
# the moment it ended.
# Usage: crash_recovery.sh QUILLORY QUILLORY_CLI [ROUNDS]
set -euo pipefail

quillory=$1
cli=$2
rounds=${3:-20}
for tool in Xvfb openbox xdotool od; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps installs it)"; exit 1; }
done

work=$(mktemp -d /tmp/quillory-crash-XXXXXX)
xvfb_pid=""
wm_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own; Xvfb picks a free number and tells it through the file.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 0.5

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# The test runner asks for offscreen; this script drives real windows.
export LANG=C.UTF-8 TZ=UTC QT_QPA_PLATFORM=xcb

fail() {
  echo "FAIL ($1 round $2): $3"
  tail -n 20 "$work/log" 2>/dev/null || true
  exit 1
}
now() { date +%s; }

# The journal's integers: magic version heartbeat paused reference count {id start checked-in}...
# away-since crc.
journal=()
read_journal() {
  journal=()
  [ -f "$base.run" ] || return 1
  # shellcheck disable=SC2207
  journal=($(od -An -t d4 -v "$base.run"))
  [ ${#journal[@]} -ge 7 ]
}
journal_count() { if read_journal; then echo "${journal[5]}"; else echo 0; fi; }

# Waits (up to 10 s) for a visible window whose name matches, then gives it the focus.
focus() {
  local id
  id=$(timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -1) || return 1
  [ -n "$id" ] || return 1
  xdotool windowactivate --sync "$id" >/dev/null 2>&1 || xdotool windowfocus --sync "$id"
}
wait_count() {
  for _ in $(seq 200); do [ "$(journal_count)" = "$1" ] && return 0; sleep 0.05; done
  return 1
}
start_app() {
  "$quillory" "$base.qlr" >>"$work/log" 2>&1 &
  app_pid=$!
}
stop_app() {  # waits up to $1 seconds for the program to end; 1 when it did not
  for _ in $(seq $(( $1 * 20 ))); do kill -0 "$app_pid" 2>/dev/null || { wait "$app_pid" 2>/dev/null || true; app_pid=""; return 0; }; sleep 0.05; done
  return 1
}

run_round() {
  local signal=$1 round=$2
  local dir="$work/r-$signal-$round"
  mkdir -p "$dir"
  base="$dir/W"
  "$cli" init "$base.qlr" >/dev/null
  "$cli" add-customer "$base.qlr" --name Acme >/dev/null
  "$cli" add-project "$base.qlr" --name Alpha --customer 0 --rate 60 >/dev/null
  "$cli" add-project "$base.qlr" --name Beta --customer 0 --rate 30 >/dev/null

  start_app
  focus "W.qlr - Quillory" || fail "$signal" "$round" "the main window did not appear"
  # Check In opens the project tree on its last project (Beta); Up picks Alpha the second time.
  local before1 after1 before2 after2
  before1=$(now)
  xdotool key ctrl+e
  focus "Quillory's Projects" || fail "$signal" "$round" "the project tree did not open"
  xdotool key Return
  wait_count 1 || fail "$signal" "$round" "the first check in was not journalled"
  after1=$(now)
  focus "W.qlr - Quillory" || fail "$signal" "$round" "the main window lost"
  before2=$(now)
  xdotool key ctrl+e
  focus "Quillory's Projects" || fail "$signal" "$round" "the project tree did not open again"
  xdotool key Up Return
  wait_count 2 || fail "$signal" "$round" "the second check in was not journalled"
  after2=$(now)
  read_journal
  local running=("${journal[@]}")

  # A random moment while both run.
  sleep "0.$(( RANDOM % 10 ))$(( RANDOM % 10 ))"
  local killed sent
  killed=$(now)
  sent=$(date +%s%N)
  kill "-$signal" "$app_pid"
  if [ "$signal" = TERM ]; then
    stop_app 5 || fail "$signal" "$round" "the program did not exit within 5 s of SIGTERM"
    local took=$(( ($(date +%s%N) - sent) / 1000000 ))
    [ "$took" -gt "$slowest_exit" ] && slowest_exit=$took
  else
    stop_app 5 || fail "$signal" "$round" "the program survived SIGKILL"
  fi

  read_journal || fail "$signal" "$round" "no journal after the program ended"
  [ "${journal[5]}" = 2 ] || fail "$signal" "$round" "the journal holds ${journal[5]} entries"
  # Version 3: each entry is the project id, the start and the check-in time; the absence's
  # start follows the entries.
  [ "${journal[1]}" = 3 ] || fail "$signal" "$round" "a journal of version ${journal[1]}"
  [ "${journal[6]} ${journal[9]}" = "1 0" ] || fail "$signal" "$round" "journalled projects ${journal[6]} ${journal[9]}"
  [ "${journal[7]} ${journal[10]}" = "${running[7]} ${running[10]}" ] ||
    fail "$signal" "$round" "starts changed from ${running[7]} ${running[10]} to ${journal[7]} ${journal[10]}"
  local s1=${journal[7]} s2=${journal[10]} heartbeat=${journal[2]}
  [ "$s1" -ge "$before1" ] && [ "$s1" -le "$after1" ] || fail "$signal" "$round" "start $s1 not in [$before1, $after1]"
  [ "$s2" -ge "$before2" ] && [ "$s2" -le "$after2" ] || fail "$signal" "$round" "start $s2 not in [$before2, $after2]"
  if [ "$signal" = TERM ] && [ "$heartbeat" -lt "$killed" ]; then
    fail "$signal" "$round" "the session end did not journal its time ($heartbeat < $killed)"
  fi

  if [ "$signal" = TERM ]; then
    # A logout while the question is open: it ends at once, and the journal stays as it was.
    cp "$base.run" "$dir/journal-before"
    start_app
    focus "Running projects" || fail "$signal" "$round" "the recovery was not offered"
    kill -TERM "$app_pid"
    stop_app 5 || fail "$signal" "$round" "SIGTERM during the recovery question did not end the program"
    cmp -s "$base.run" "$dir/journal-before" || fail "$signal" "$round" "the unanswered question changed the journal"
  fi

  start_app
  focus "Running projects" || fail "$signal" "$round" "the recovery was not offered"
  [ "$(stat -c %s "$base.tfr")" = 0 ] || fail "$signal" "$round" "frames were written before the choice"
  xdotool key Return  # Check out at the last-seen time
  local frames=""
  for _ in $(seq 200); do
    [ "$(stat -c %s "$base.tfr")" = 24 ] && [ ! -f "$base.run" ] && { frames=$("$cli" show "$base.qlr" frames --json); break; }
    sleep 0.05
  done
  [ -n "$frames" ] || fail "$signal" "$round" "checking out did not write two frames"
  local got expected
  got=$(echo "$frames" | grep -o '"projectId":[0-9]*\|"startEpoch":[0-9]*\|"endEpoch":[0-9]*' | cut -d: -f2 | tr '\n' ' ')
  expected="1 $s1 $heartbeat 0 $s2 $heartbeat "
  [ "$got" = "$expected" ] || fail "$signal" "$round" "frames '$got', expected '$expected'"

  kill -TERM "$app_pid"
  stop_app 5 || fail "$signal" "$round" "the program did not exit after the check out"
}

slowest_exit=0
for signal in KILL TERM; do
  for round in $(seq "$rounds"); do run_round "$signal" "$round"; done
  echo "SIG$signal: $rounds of $rounds rounds offered both projects with their exact starts"
done
echo "slowest exit after SIGTERM: $slowest_exit ms"
