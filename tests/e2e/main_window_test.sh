#!/usr/bin/env bash
# The main window as a user meets it: the autosave list comes back paused,
# Esc saves it, a second start only activates the first, the close box hides
# the window while the timers keep counting; a list it cannot read is kept
# aside, not replaced by the empty one; the timers count the time the
# program was stopped, as a laptop's sleep stops it. An autosave.ini that
# cannot be written (read-only while a chain runs, a full disk) is told
# once, the timers keep to the wall clock meanwhile, the list reaches the
# file as soon as it can be written, and Exit does not drop it without
# asking.
source "$(dirname "$0")/lib.sh"

{ timer_section 0 "Was running" 0 1 30; timer_section 1 "Was finished" 2 1 5; timer_section 2 "Counting up" 0 0 0
  timer_section 3 "Hand-edited" 0 1 70; } >"$workdir/autosave.ini"
cp "$workdir/autosave.ini" "$workdir/as-written.ini"

start_horalet
echo "-- every timer of the last run comes back paused"
[ "$(ctl rows | wc -l)" -eq 4 ] || fail "four rows expected"
for i in 0 1 2 3; do
    [ "$(field "$(row $i)" 1 | tr -d '*')" = 1 ] || fail "row $i is not paused: $(row $i)"
done
[ "$(field "$(row 0)" 1)" = "*1" ] || fail "row 0 should be selected after the load"
echo "-- 70 seconds in the file load as 00:01:10, and the file stays as it was until the list changes"
[ "$(field "$(row 3)" 4)" = "00:01:10" ] || fail "the hand-edited set time shows as $(field "$(row 3)" 4)"
sleep 1.5
cmp "$workdir/autosave.ini" "$workdir/as-written.ini" || fail "the load rewrote autosave.ini"

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

echo "-- a second start while the window is hidden shows it"
keys main alt+F4
hidden() { ! ctl visible; }
poll 5 hidden || fail "window still visible after the close box"
(cd "$workdir" && timeout 30 wine "$HORALET_EXE") || fail "second instance did not exit 0"
poll 5 ctl visible || fail "a second start left the window hidden"

echo "-- Esc ends the program and writes autosave.ini with the exact bytes"
ctl command 32773   # pause it again, so the expected file is known
exit_horalet
# Each timer's elapsed time follows the fifteen keys; the count-up's ran a
# few seconds, so the times are compared apart.
elapsed_after_unit() { sed 's/^\(UNIT = .*\)\r$/\1\r\nELAPSED = N\r/'; }
{ timer_section 0 "Was running" 1 1 30; timer_section 1 "Was finished" 1 1 5; timer_section 2 "Counting up" 1 0 0
  timer_section 3 "Hand-edited" 1 1 10 1; } | elapsed_after_unit >"$workdir/expected.ini"
sed 's/^ELAPSED = [0-9]*\r$/ELAPSED = N\r/' "$workdir/autosave.ini" >"$workdir/written.ini"
cmp "$workdir/written.ini" "$workdir/expected.ini" || fail "autosave.ini differs: $(od -c "$workdir/autosave.ini" | head -20)"
[ "$(grep -c '^ELAPSED = 0' "$workdir/autosave.ini")" -eq 3 ] && grep -q '^ELAPSED = [1-9]' "$workdir/autosave.ini" ||
    fail "the elapsed times written: $(grep ELAPSED "$workdir/autosave.ini")"

echo "-- an autosave.ini that gives no timers is kept aside before the empty list is saved"
printf '[TIMER_0]\rDESCRIPTION = Tea\rSECONDS = 30\r' >"$workdir/autosave.ini"   # CR-only line ends
cp "$workdir/autosave.ini" "$workdir/unread.ini"
(cd "$workdir" && exec wine "$HORALET_EXE" >"$workdir/horalet.log" 2>&1) &
horalet_pid=$!
ctl message-wait 30 >/dev/null || fail "no message about the unread file"
[ "$(message_text)" = "autosave.ini holds no timers that can be read, so the list starts empty." ] ||
    fail "wrong message: $(message_text)"
ctl message | grep "The file will be kept as autosave-unread.ini." >/dev/null || fail "the message does not say where the file goes"
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

echo "-- a read-only autosave.ini while a chain runs: one box at most, and the times keep to the wall clock"
# The 2-second timer starts the 1-second one, which starts the top one again:
# the list changes every second or two. The third counts up without a limit.
{
    timer_section 0 "Two seconds" 1 1 2 | sed 's/^RUN_TIMER = 0/RUN_TIMER = 1/'
    timer_section 1 "One second" 1 1 1 | sed 's/^RUN_TIMER = 0/RUN_TIMER = 2/'
    timer_section 2 "Wall clock" 1 0 0
} >"$workdir/autosave.ini"
start_horalet
click_row 2
keys main ctrl+p
started=$(date +%s%N)
click_row 0
keys main ctrl+p
chmod 444 "$workdir/autosave.ini"
seconds_since_start() { echo $((($(date +%s%N) - started) / 1000000000)); }
most_boxes=0 completions=0 last_state=
while [ "$(seconds_since_start)" -lt 20 ]; do
    boxes=$(ctl open-boxes | tr -d '\r')
    [ "$boxes" -le "$most_boxes" ] || most_boxes=$boxes
    state=$(field "$(row 1)" 1 | tr -d '*')
    [ "$state" = 2 ] && [ "$last_state" != 2 ] && completions=$((completions + 1))
    last_state=$state
    sleep 0.2
done
[ "$most_boxes" -eq 1 ] || fail "$most_boxes boxes were open at once"
wall=$(field "$(row 2)" 2)
counted=$((10#${wall:6:2} + 60 * 10#${wall:3:2}))
behind=$(($(seconds_since_start) - counted))
[ $behind -ge -1 ] && [ $behind -le 3 ] || fail "with the box up the timer counted $wall in $(seconds_since_start) s"
[ "$completions" -ge 3 ] || fail "the chain did not run: the one-second timer finished $completions times"
[ "$(message_text)" = "Error operation of save!" ] || fail "wrong message: $(message_text)"
ctl tray-texts | grep "^tip	[a-z]*	Horalet: the list is not being saved" >/dev/null || fail "tray tip: $(ctl tray-texts)"
screenshot read-only-autosave
keys message Return
ctl active-wait main 10 || fail "the main window did not come back after the message"
# A change of the user's own while saving fails, which the file must get.
keys main ctrl+a
ctl active-wait "Add timer" 10 || fail "Ctrl+A did not open \"Add timer\""
type_text "Add timer" "Added meanwhile"
keys "Add timer" Return
ctl active-wait main 10 || fail "Enter did not close the editor"
for _ in 1 2 3 4 5 6 7 8 9 10; do
    [ "$(ctl open-boxes | tr -d '\r')" -eq 0 ] || fail "a new box came for the same failure"
    sleep 0.5
done
chmod 644 "$workdir/autosave.ini"
added_saved() { grep -q "^DESCRIPTION = Added meanwhile" "$workdir/autosave.ini"; }
poll 4 added_saved || fail "autosave.ini does not hold the list once it is writable"

echo "-- Exit that cannot save asks; Cancel keeps the program and its list, Retry saves and ends"
chmod 444 "$workdir/autosave.ini"
ctl message-wait 10 >/dev/null || fail "the new failure was not told"
keys message Return
ctl active-wait main 10 || fail "the main window did not come back after the message"
keys main Escape
ctl message-wait 10 >/dev/null || fail "Esc with a list that cannot be saved asked nothing"
[ "$(message_text)" = "Error operation of save!" ] || fail "wrong question: $(message_text)"
expect_control "$(ctl message | tr -d '\r')" 4 enabled - "&Retry"
expect_control "$(ctl message | tr -d '\r')" 2 enabled - "Cancel"
keys message Escape
ctl active-wait main 10 || fail "Cancel did not bring the main window back"
kill -0 "$horalet_pid" || fail "the program ended on Cancel"
[ "$(ctl rows | wc -l)" -eq 4 ] || fail "the list changed on Cancel: $(ctl rows)"
keys main Escape
ctl message-wait 10 >/dev/null || fail "the second Esc asked nothing"
chmod 644 "$workdir/autosave.ini"
keys message Return   # Retry is the default button
waited=0
while kill -0 "$horalet_pid" 2>/dev/null && [ $waited -lt 50 ]; do sleep 0.2; waited=$((waited + 1)); done
! kill -0 "$horalet_pid" 2>/dev/null || fail "Retry with a writable file did not end the program"
horalet_pid=
grep -q "^DESCRIPTION = Wall clock" "$workdir/autosave.ini" || fail "the list is not in autosave.ini after Retry"

echo "-- a full disk: starting a timer is told once, the file stays whole, and room brings the save within 3 s"
if [ "$(id -u)" -ne 0 ]; then
    echo "NOT RUN: mounting a small tmpfs for a full disk needs root"
else
    disk=$workdir/disk
    mkdir "$disk"
    mount -t tmpfs -o size=1400k tmpfs "$disk" || fail "no tmpfs for the full disk"
    undo_at_end+=("umount '$disk'")
    { timer_section 0 "Tea" 1 1 30; timer_section 1 "Call" 1 0 0; } >"$disk/autosave.ini"
    cp "$disk/autosave.ini" "$workdir/before.ini"
    start_horalet "$disk"
    dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null || true   # until no room is left
    [ "$(df -k --output=avail "$disk" | tail -1 | tr -d ' ')" -eq 0 ] || fail "the disk is not full: $(df -k "$disk")"
    click_row 0
    keys main ctrl+p
    ctl message-wait 10 >/dev/null || fail "the failed save was not told"
    [ "$(message_text)" = "Error operation of save!" ] || fail "wrong message: $(message_text)"
    keys message Return
    sleep 3   # three more attempts
    [ "$(ctl open-boxes | tr -d '\r')" -eq 0 ] || fail "the same failure was told again"
    cmp "$disk/autosave.ini" "$workdir/before.ini" || fail "autosave.ini changed on the full disk"
    [ "$(ls "$disk")" = "$(printf 'autosave.ini\nfiller')" ] || fail "files left on the full disk: $(ls "$disk")"
    rm "$disk/filler"
    tea_saved_running() { grep -A 10 "^DESCRIPTION = Tea" "$disk/autosave.ini" | grep -q "^STATE = 0"; }
    poll 3 tea_saved_running || fail "autosave.ini does not hold the started timer 3 s after room came back"
    saved_again() { ctl tray-texts | grep "^balloon	shown	The list is saved again.$" >/dev/null; }
    poll 5 saved_again || fail "no balloon says the list is saved again: $(ctl tray-texts)"
    ctl tray-texts | grep "^tip	[a-z]*	Tea: 00:[0-2][0-9] left$" >/dev/null || fail "the tray tip does not tell of Tea again: $(ctl tray-texts)"
    screenshot saved-again
    exit_horalet
fi
echo "main window: all checks passed"
