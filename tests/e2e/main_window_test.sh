#!/usr/bin/env bash
# The main window as a user meets it: the autosave list comes back paused,
# Esc saves it, a second start only activates the first, the close box hides
# the window while the timers keep counting; a list it cannot read is kept
# aside, not replaced by the empty one; and the timers count the time the
# program was stopped, as a laptop's sleep stops it.
source "$(dirname "$0")/lib.sh"

{ timer_section 0 "Was running" 0 1 30; timer_section 1 "Was finished" 2 1 5; timer_section 2 "Counting up" 0 0 0; } >"$workdir/autosave.ini"

start_horalet
echo "-- every timer of the last run comes back paused"
[ "$(ctl rows | wc -l)" -eq 3 ] || fail "three rows expected"
for i in 0 1 2; do
    [ "$(field "$(row $i)" 1 | tr -d '*')" = 1 ] || fail "row $i is not paused: $(row $i)"
done
[ "$(field "$(row 0)" 1)" = "*1" ] || fail "row 0 should be selected after the load"

echo "-- a second start activates the first and touches no file"
before=$(md5sum "$workdir/autosave.ini")
(cd "$workdir" && timeout 30 wine "$HORALET_EXE") || fail "second instance did not exit 0"
[ "$(md5sum "$workdir/autosave.ini")" = "$before" ] || fail "second instance changed autosave.ini"
[ "$(xdotool search --name '^Horalet$' | wc -l)" -eq 1 ] || fail "two main windows"

echo "-- the close box hides the window and the timers keep counting"
ctl select 2
ctl command 32773   # Play/Pause: start the unlimited timer
sleep 2.5
t1=$(field "$(row 2)" 2)
keys main alt+F4
sleep 1
! ctl visible || fail "window still visible after the close box"
kill -0 "$horalet_pid" || fail "the program ended on close"
sleep 2.5
t2=$(field "$(row 2)" 2)
[ "$t2" \> "$t1" ] || fail "timer did not count while hidden ($t1 -> $t2)"
ctl tray 0x201     # a click on the notification-area icon brings it back
sleep 1
ctl visible || fail "tray click did not show the window"

echo "-- Esc ends the program and writes autosave.ini with the exact bytes"
ctl command 32773   # pause it again, so the expected file is known
exit_horalet
{ timer_section 0 "Was running" 1 1 30; timer_section 1 "Was finished" 1 1 5; timer_section 2 "Counting up" 1 0 0; } >"$workdir/expected.ini"
cmp "$workdir/autosave.ini" "$workdir/expected.ini" || fail "autosave.ini differs: $(od -c "$workdir/autosave.ini" | head -20)"

echo "-- an autosave.ini that gives no timers is kept aside before the empty list is saved"
printf '[TIMER_0]\rDESCRIPTION = Tea\rSECONDS = 30\r' >"$workdir/autosave.ini"   # CR-only line ends
cp "$workdir/autosave.ini" "$workdir/unread.ini"
(cd "$workdir" && exec wine "$HORALET_EXE" >"$workdir/horalet.log" 2>&1) &
horalet_pid=$!
ctl message-wait 30 >/dev/null || fail "no message about the unread file"
[ "$(message_text)" = "autosave.ini holds no timers that can be read, so the list starts empty." ] ||
    fail "wrong message: $(message_text)"
ctl message | grep -q "The file will be kept as autosave-unread.ini." || fail "the message does not say where the file goes"
screenshot unread-autosave
keys message Return
ctl active-wait main 30 || fail "the main window did not become active after the message"
[ -z "$(ctl rows)" ] || fail "rows appeared from the unread file"
exit_horalet
cmp "$workdir/autosave-unread.ini" "$workdir/unread.ini" || fail "the unread file was not kept whole"
[ ! -s "$workdir/autosave.ini" ] || fail "the empty list was not saved"
echo "-- stopped for 10 s, as a sleep stops it: the timers count the time meanwhile"
{ timer_section 0 "Count-up" 1 0 0; timer_section 1 "Countdown" 1 1 6; timer_section 2 "Chained" 1 1 0 1; } |
    sed '/\[TIMER_1\]/,/RUN_TIMER/ s/RUN_TIMER = 0/RUN_TIMER = 1/' >"$workdir/autosave.ini"
start_horalet
now() { date +%s.%N; }
ctl select 0 && ctl command 32773 && started_count=$(now)
ctl select 1 && ctl command 32773 && started_countdown=$(now)
sleep 1
pid=$(horalet_process) || fail "no horalet.exe process in $workdir"
kill -STOP "$pid"
sleep 10
kill -CONT "$pid"
sleep 1.5
seconds_between() { awk -v from="$1" -v to="$2" -v less="${3:-0}" 'BEGIN { printf "%.3f", to - from - less }'; }
seconds_of() { printf '%s' "$1" | awk -F: '{ print $1 * 3600 + $2 * 60 + $3 }'; }
# A shown time is whole seconds counted on the program's own second, whose
# first one a started timer gets at the next tick: within a second of the
# real time either way (and a little for reading it from outside).
within_a_second() {
    awk -v shown="$1" -v real="$2" 'BEGIN { d = shown - real; exit !(d <= 1.3 && d >= -1.3) }' ||
        fail "$3 shows $1 s after $2 s"
}
rows_now=$(ctl rows | tr -d '\r'); read_at=$(now)
count_up=$(printf '%s\n' "$rows_now" | sed -n 1p)
countdown=$(printf '%s\n' "$rows_now" | sed -n 2p)
chained=$(printf '%s\n' "$rows_now" | sed -n 3p)
within_a_second "$(seconds_of "$(field "$count_up" 2)")" "$(seconds_between "$started_count" "$read_at")" "the count-up"
[ "$(field "$countdown" 1 | tr -d '*')" = 2 ] || fail "the countdown is not finished: $countdown"
[ "$(field "$chained" 1 | tr -d '*')" = 0 ] || fail "the chained timer is not running: $chained"
within_a_second "$(seconds_of "$(field "$chained" 2)")" "$(seconds_between "$started_countdown" "$read_at" 6)" "the chained timer"
screenshot after-a-stop
exit_horalet
echo "main window: all checks passed"
