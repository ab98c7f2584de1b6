#!/usr/bin/env bash
# A restart keeps what the timers counted: the list of the last run comes
# back paused where each timer stood, with its sum, and "Resume timers" goes
# on with exactly those that ran. A kill, as a power cut would, loses at most
# the last minute of it.
source "$(dirname "$0")/lib.sh"

# Tea counts down ten minutes; Billing counts up at 2.50 a second.
{ timer_section 0 "Tea" 1 1 0 10; timer_section 1 "Billing" 1 0 0 0 2 50 1 second; timer_section 2 "Idle" 1 1 30; } \
    >"$workdir/autosave.ini"
image() { field "$(row "$1")" 1 | tr -d '*'; }
seconds_of() { local t; t=$(field "$(row "$1")" 2); echo $((10#${t:0:2} * 3600 + 10#${t:3:2} * 60 + 10#${t:6:2})); }

start_horalet
echo "-- two timers run a few seconds; Esc ends the program"
ctl select 0 && ctl command 32773
ctl select 1 && ctl command 32773
sleep 3.5
exit_horalet
tea_at_exit=$(awk -F' = ' '/^DESCRIPTION = Tea/ { tea = 1 } tea && /^ELAPSED/ { print $2 + 0; exit }' "$workdir/autosave.ini")
[ "${tea_at_exit:-0}" -ge 3 ] || fail "Tea's time was not kept: $(grep ELAPSED "$workdir/autosave.ini")"

echo "-- the next start shows every timer paused where it stood, with its sum"
start_horalet
for i in 0 1 2; do [ "$(image $i)" = 1 ] || fail "row $i is not paused: $(row $i)"; done
[ "$(seconds_of 0)" -eq "$tea_at_exit" ] || fail "Tea came back at $(field "$(row 0)" 2), not at $tea_at_exit s"
[ "$(field "$(row 0)" 3)" = "$(printf '00:%02d:%02d' $(((600 - tea_at_exit) / 60)) $(((600 - tea_at_exit) % 60)))" ] ||
    fail "Tea's time left: $(row 0)"
billed=$(seconds_of 1)
[ "$billed" -ge 3 ] && [ "$(field "$(row 1)" 5)" = "$(awk -v s="$billed" 'BEGIN { printf "%.2f", s * 2.5 }')" ] ||
    fail "Billing's time or sum: $(row 1)"
screenshot restart-paused

echo "-- Resume timers goes on with the two that ran, and not with the one that did not"
ctl command 32792
for i in 0 1; do [ "$(image $i)" = 0 ] || fail "row $i did not resume: $(row $i)"; done
[ "$(image 2)" = 1 ] || fail "Idle was resumed: $(row 2)"
sleep 2
[ "$(seconds_of 0)" -gt "$tea_at_exit" ] || fail "Tea does not count after Resume: $(row 0)"

echo "-- killed after more than a minute, the list comes back with the time of the last minute"
sleep 61
pid=$(horalet_process) || fail "no program runs"
kill -9 "$pid"
while kill -0 "$horalet_pid" 2>/dev/null; do sleep 0.2; done
horalet_pid=
start_horalet
[ "$(image 0)" = 1 ] || fail "Tea is not paused after the kill: $(row 0)"
[ "$(seconds_of 0)" -ge $((tea_at_exit + 60)) ] ||
    fail "after the kill Tea came back at $(field "$(row 0)" 2): more than a minute lost"
exit_horalet
echo "restart: all checks passed"
