#!/usr/bin/env bash
# A finish whose sound repeats until the user is back: the wave plays again
# and again, a play every length of the wave and two seconds, whether the
# window was hidden or in front when it finished, until the window is
# activated, the tray icon pressed or a key pressed in the window. The plays are counted
# where the program makes them, in Wine's trace of PlaySound.
source "$(dirname "$0")/lib.sh"

cp "$(dirname "$0")/../../res/wave/reminder.wav" "$workdir/tea.wav"  # 1.5 s: a play every 3.5 s
{ timer_section 0 "Tea" 1 1 2; timer_section 1 "Egg" 1 1 2; } | sed 's/^FILE = \r$/FILE = tea.wav\r/; s/^FLAGS = 0\r$/FLAGS = 2\r/' \
    >"$workdir/autosave.ini"
plays() { grep -c 'proc_PlaySound SoundName=L"tea.wav"' "$workdir/horalet.log" || true; }
at_least() { [ "$(plays)" -ge "$1" ]; }
stopped_after() {  # stopped_after WHAT: no play in the 5 s after the user was back
    sleep 0.5
    local before
    before=$(plays)
    sleep 5
    [ "$(plays)" -eq "$before" ] || fail "the sound went on after $1: $before then $(plays) plays"
    stopped=$before
}


WINEDEBUG=trace+winmm start_horalet
echo "-- Tea finishes behind the user's back: it plays again and again"
ctl select 0 && ctl command 32773
keys main alt+F4  # to the tray: the window is not in front
poll 10 at_least 1 || fail "Tea's finish played nothing: $(head -c 3000 "$workdir/horalet.log")"
first=$(date +%s%N)
poll 10 at_least 3 || fail "Tea's sound did not repeat: $(plays) plays"
took=$((($(date +%s%N) - first) / 1000000))
[ "$took" -ge 6000 ] && [ "$took" -le 9000 ] || fail "two repeats took $took ms, not about 7000: $(grep PlaySound "$workdir/horalet.log")"

echo "-- another start brings the window forward: activated, it stops the sound"
(cd "$workdir" && wine "$HORALET_EXE" >/dev/null 2>&1) || fail "the second start did not hand over to the instance"
ctl active-wait main 10 || fail "the window did not come back"
stopped_after "the main window was activated"

echo "-- Egg finishes while the window is in front: it repeats all the same, until a press on the tray icon"
ctl select 1 && ctl command 32773
poll 10 at_least $((stopped + 2)) || fail "Egg's sound did not repeat with the window in front: $(plays)"
ctl tray 0x0201
stopped_after "a press on the tray icon"

echo "-- Tea restarted finishes in front of the user: a key in the window stops it"
ctl select 0 && ctl command 32774
poll 10 at_least $((stopped + 2)) || fail "Tea's sound did not repeat after the restart: $(plays)"
keys main Down
stopped_after "a key in the window"
exit_horalet
echo "repeat: all checks passed"
