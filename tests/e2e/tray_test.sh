#!/usr/bin/env bash
# The notification area while the window is hidden: the tip, read by
# hovering the icon as a user does, names the timer that finishes first; the
# icon's picture tells that something runs and then that a finish is
# unseen; a click on the balloon, or on the icon, shows the window with the
# first timer to have finished selected. The taskbar's progress and flashing are not drawn
# under a virtual display; the window's own test checks those calls.
source "$(dirname "$0")/lib.sh"

{ timer_section 0 "Long" 1 1 0 5; timer_section 1 "Tea" 1 1 5; timer_section 2 "Egg" 1 1 4
  timer_section 3 "ACME" 1 0 0; } >"$workdir/autosave.ini"
start_horalet
read -r tray_x tray_y _ tray_h <<<"$(ctl tray-rect | tr -d '\r')" || fail "no notification area"
# Wine's tray lays its icons out from the left, each in a square cell.
tray_icon() { import -window root -crop "${tray_h}x$tray_h+$tray_x+$tray_y" +repage "$workdir/tray-$1.png"; }
differ() { [ "$(compare -metric AE "$workdir/tray-$1.png" "$workdir/tray-$2.png" null: 2>&1)" != 0 ]; }
start_row() { ctl select "$1"; ctl command 32773; }
tip_shown() { ctl tray-texts | grep "^tip	shown	$1" >/dev/null; }

echo "-- hidden, with a countdown and a count-up running, hovering the icon shows the countdown's time left"
tray_icon plain
start_row 0
start_row 3
keys main alt+F4
xdotool mousemove $((tray_x + tray_h / 2)) $((tray_y + tray_h / 2))
poll 10 tip_shown "Long: 04:5[0-9] left (+1 running)$" || fail "the tip reads: $(ctl tray-texts)"
screenshot tray-tip
xdotool mousemove 600 500
sleep 0.5
tray_icon running
differ plain running || fail "the icon looks the same while timers run"

echo "-- two finishes while hidden: the finish mark, and the balloon's click selects the first to finish"
start_row 1
start_row 2   # Egg, below Tea, finishes a second before it
finished() { [ "$(field "$(row "$1")" 1 | tr -d '*')" = 2 ]; }
poll 10 finished 1 && finished 2 || fail "the timers did not finish: $(ctl rows)"
! ctl visible || fail "the window showed itself"
balloon_shown() { ctl tray-texts | grep "^balloon	shown	Tea$" >/dev/null; }
poll 10 balloon_shown || fail "no balloon: $(ctl tray-texts)"
sleep 0.5
tray_icon unseen
differ running unseen && differ plain unseen || fail "the icon does not show the unseen finish"
screenshot tray-balloon
ctl select 0
# Wine's balloons take no clicks; the click's message is posted as the
# notification area would send it.
ctl tray 0x405
poll 5 ctl visible || fail "the balloon's click did not show the window"
[ "$(field "$(row 2)" 1)" = "*2" ] || fail "not the first to finish is selected: $(ctl rows)"

echo "-- once the window was seen, the icon no longer tells of a finish"
sleep 0.5
tray_icon seen
differ unseen seen || fail "the finish mark stayed after the window was seen"

echo "-- a click on the icon itself selects an unseen finish too"
keys main alt+F4
ctl select 1
ctl command 32774   # Restart: Tea runs again for 5 s
ctl select 0
poll 10 finished 1 || fail "Tea did not finish again: $(row 1)"
click_at $((tray_x + tray_h / 2)) $((tray_y + tray_h / 2))
poll 5 ctl visible || fail "a click on the icon did not show the window"
[ "$(field "$(row 1)" 1)" = "*2" ] || fail "the finished timer is not selected: $(ctl rows)"
exit_horalet
