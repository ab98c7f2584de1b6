#!/usr/bin/env bash
# The list as a user watches it with 100 running timers: filmed at 25 frames
# a second for 10 seconds, across ten ticks, no frame shows a row of the
# list without its times, as a list erased and not yet drawn again would.
source "$(dirname "$0")/lib.sh"

for ((i = 0; i < 100; i++)); do timer_section "$i" "Timer $i" 1 1 0 90; done >"$workdir/autosave.ini"
start_horalet
ctl start-all || fail "the timers could not be started"
sleep 1.5
mkdir -p "$shots"
echo "-- 10 s at 25 frames a second"
report=$(ctl frames 10 25 "$(winepath -w "$shots/row-without-text.bmp" 2>/dev/null)") || fail "$report"
echo "$report"
frames=$(printf '%s' "$report" | awk '{ print $4 }')
[ "$frames" -ge 200 ] || fail "only $frames frames: the film is too slow to show a flicker"
[ "$(field "$(row 0)" 1 | tr -d '*')" = 0 ] || fail "the timers are not running"
exit_horalet
echo "list repaint: all checks passed"
