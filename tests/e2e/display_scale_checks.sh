#!/usr/bin/env bash
# Horalet at one display scale, run by display_scale_test.sh inside the Wine
# prefix and virtual screen of that scale: display_scale_checks.sh DPI RESULTS.
# The list's columns (the short ones showing their headers whole, the
# description filling the list), the tip over a cut description, the hint in
# an empty list, the state icons and the notification-area icon at that DPI's
# sizes, the window's own sizes checked inside its process, and pictures of
# the main window and of each kind of dialog for a person to look at.
# Appends "DPI HEIGHT-SHARE WIDTH-SHARE" of the clock's digits in their box to
# RESULTS, for the comparison between the scales.
dpi=${1:?DPI} results=${2:?file for the clock figures}
icons=$(cd "$(dirname "$0")/../../res/icons" && pwd)
source "$(dirname "$0")/lib.sh"

at_dpi() { echo $((($1 * dpi + 48) / 96)); }  # a 96-DPI length, rounded as the program rounds it
grab() { import -window root "$workdir/screen.png"; }
crop() { convert "$workdir/screen.png" -crop "$3x$4+$1+$2" +repage "$5"; }

# Whether the screen area X Y W H shows the image that ICO holds for SIZE
# pixels as drawn, on the area's own ground; sets `difference`. The system
# draws any icon at the size it is asked for, and one made from a smaller or
# a larger image differs from this one in most of its pixels.
icon_drawn() {
    local ico=$1 size=$2 x=$3 y=$4 w=$5 h=$6 frame ground
    local left=$((x > 2 ? x - 2 : 0)) top=$((y > 2 ? y - 2 : 0))
    frame=$(identify -format '%p %w\n' "$ico" | awk -v size="$size" '$2 == size { print $1; exit }')
    [ -n "$frame" ] || fail "$(basename "$ico") has no image of $size pixels"
    grab
    crop "$left" "$top" $((x + w + 2 - left)) $((y + h + 2 - top)) "$workdir/area.png"
    ground=$(convert "$workdir/area.png" -format '%[pixel:p{0,0}]' info:)
    convert "$ico[$frame]" -background "$ground" -flatten "$workdir/icon.png"
    # compare's status is 1 for images that are not the same bits.
    difference=$({ compare -metric RMSE -subimage-search "$workdir/area.png" "$workdir/icon.png" null: 2>&1 || true; } |
        sed -n 's/^[^(]*(\([0-9.e-]*\)).*/\1/p' | head -1)
    [ -n "$difference" ] && awk -v d="$difference" 'BEGIN { exit !(d < 0.02) }'
}

# Polled: the notification area draws in a process of its own.
expect_icon_drawn() {
    local what=$1; shift
    difference=
    poll 10 icon_drawn "$@" || fail "$what is not the $2-pixel image as drawn (difference ${difference:-unknown})"
}

# A picture of a window of the program, cut out of the screen.
picture() {
    local rect
    sleep 0.5  # drawn
    rect=$(ctl window-rect "$1" | tr -d '\r') || fail "no window \"$1\" to take a picture of"
    grab
    crop $rect "$shots/scale-$dpi-$2.png"
}

long_description="Call the garage about the winter tyres, and ask whether they can fit them on Saturday morning"
mkdir -p "$shots" "$workdir/Save"
{
    timer_section 0 "Tea" 1 1 1
    timer_section 1 "Break: stretch and a glass of water" 1 1 0 5
    timer_section 2 "Consulting for ACME, billed per hour" 1 0 0 0 150 00 1 hour
    timer_section 3 "$long_description" 1 0 0
} >"$workdir/autosave.ini"
timer_section 0 "Week plan" 1 0 0 >"$workdir/Save/Week plan.ini"
# A few days of books this month, for the report's chart and rows.
mkdir -p "$workdir/Books"
{
    echo "description,start,end,seconds,price,amount,runs"
    for day in 01 02 03 05 08; do
        echo "Consulting for ACME,$(date +%Y-%m)-$day 09:00:00,$(date +%Y-%m)-$day 1$((10#$day % 7)):30:00,$((3600 + 10#$day * 1800)),150 per hour,$((150 + 10#$day * 75)).00,1"
        echo "Break,$(date +%Y-%m)-$day 12:00:00,$(date +%Y-%m)-$day 12:15:00,900,,0.00,1"
    done
} | sed 's/$/\r/' >"$workdir/Books/$(date +%Y-%m).csv"
timer_section 0 "Exercise" 1 0 0 >"$workdir/Save/Exercise.ini"
start_horalet

echo "-- at $dpi DPI the four short columns show their headers whole, the description fills the list, the ten hidden ones stay 0"
widths=$(ctl column-widths | tr -d '\r') || fail "the list gave no column widths"
fits=$(ctl header-fits | tr -d '\r') || fail "the list measured no header texts"
IFS=$'\t' read -r -a width <<<"$widths"
IFS=$'\t' read -r -a fit <<<"$fits"
[ ${#width[@]} -eq 15 ] && [ ${#fit[@]} -eq 15 ] || fail "15 columns expected: $widths"
read -r _ _ list_width _ <<<"$(ctl client-rect Horalet 1002 | tr -d '\r')"
given=(75 60 60 60)
left=$list_width
for column in 0 1 2 3; do
    # As wide as scaled, or as the header's text needs where that is more.
    at_least=$(at_dpi "${given[$column]}")
    [ "${fit[$column]}" -le "$at_least" ] || at_least=${fit[$column]}
    [ "${width[$column]}" -ge "$at_least" ] && [ "${width[$column]}" -le $((at_least + 2)) ] ||
        fail "column $column is ${width[$column]} pixels wide, its header needs ${fit[$column]}: $widths"
    left=$((left - width[column]))
done
[ "${width[4]}" -eq "$left" ] && [ "$left" -ge "${fit[4]}" ] ||
    fail "the description is ${width[4]} pixels wide, not the $left the list leaves: $widths"
for column in $(seq 5 14); do [ "${width[$column]}" -eq 0 ] || fail "hidden column $column shows: $widths"; done

echo "-- a description its column cuts shows whole in a tip while the mouse rests on it; one that fits shows none"
tip_reads() { ctl tray-texts | grep -Fx $'tip\tshown\t'"$1" >/dev/null; }
xdotool mousemove $(ctl row-centre 3 4 | tr -d '\r')
poll 5 tip_reads "$long_description" || fail "no tip over the cut description: $(ctl tray-texts)"
grab
cp "$workdir/screen.png" "$shots/scale-$dpi-cell-tip.png"
xdotool click 1  # the click reaches the row, and the tip goes
[ "$(field "$(row 3)" 1 | cut -c 1)" = "*" ] || fail "a click with the tip shown did not select the row: $(ctl rows)"
[ -z "$(ctl tray-texts | grep $'^tip\tshown')" ] || fail "the tip stays after a click: $(ctl tray-texts)"
xdotool mousemove $(ctl row-centre 0 4 | tr -d '\r')
sleep 1.5  # longer than a tip waits to show
[ -z "$(ctl tray-texts | grep $'^tip\tshown')" ] || fail "a tip over a description that fits: $(ctl tray-texts)"
xdotool mousemove 0 0

echo "-- the state icons are drawn from their $(at_dpi 16)-pixel images"
rect=$(ctl row-icon 1 | tr -d '\r') || fail "no icon rectangle for row 1"
read -r x y w h <<<"$rect"
[ "$w" -eq "$(at_dpi 16)" ] && [ "$h" -eq "$(at_dpi 16)" ] || fail "the state icons are ${w}x$h"
expect_icon_drawn "the paused row's icon" "$icons/state_paused.ico" "$(at_dpi 16)" "$x" "$y" "$w" "$h"

echo "-- the notification-area icon is drawn from its $(at_dpi 16)-pixel image"
rect=$(ctl tray-rect | tr -d '\r') || fail "no notification area"
read -r x y w h <<<"$rect"
expect_icon_drawn "the notification-area icon" "$icons/app_small.ico" "$(at_dpi 16)" "$x" "$y" "$w" "$h"

echo "-- the clock's digits in their box"
ctl select 0
ctl command 32773   # the one-second timer runs out and then shows 00:00:00, steady
tea_finished() { [ "$(field "$(row 0)" 1)" = "*2" ]; }
poll 10 tea_finished || fail "the one-second timer did not finish: $(row 0)"
[ "$(ctl clock | tr -d '\r')" = "00:00:00" ] || fail "the clock shows \"$(ctl clock)\""
sleep 0.5
rect=$(ctl client-rect Horalet 1000 | tr -d '\r') || fail "no clock"
read -r x y w h <<<"$rect"
grab
crop "$x" "$y" "$w" "$h" "$workdir/clock.png"
read -r digits_w digits_h <<<"$(convert "$workdir/clock.png" -fuzz 25% -trim -format '%w %h' info:)"
echo "   digits ${digits_w}x$digits_h in a box of ${w}x$h"
# The digits reach the top and bottom of their box already at 96 DPI, so
# their width tells more: it grows with the font's height.
[ "$digits_w" -lt "$w" ] && [ "$digits_w" -gt $((w / 4)) ] || fail "no digits found in the clock"
awk -v dpi="$dpi" -v dw="$digits_w" -v dh="$digits_h" -v w="$w" -v h="$h" \
    'BEGIN { printf "%d %.4f %.4f\n", dpi, dh / h, dw / w }' >>"$results"
picture main main-window

echo "-- pictures of the dialogs"
ctl post-command 32777   # Add
ctl active-wait "Add timer" 10 || fail "the editor did not open"
picture "Add timer" editor
ctl set-text "Add timer" 1004 60
ctl click "Add timer" 1  # OK with 60 minutes
ctl message-wait 10 >/dev/null || fail "no message about the time"
picture message message-box
keys message Return
ctl active-wait "Add timer" 10 || fail "the editor did not come back after the message"
ctl close "Add timer"
ctl active-wait main 10 || fail "the main window did not come back after the editor"
for dialog in "32776 Enter file name save-dialog" "32775 Load timers load-dialog" "104 About about-box" \
    "32793 Books books-dialog"; do
    read -r command name <<<"${dialog% *}"
    ctl post-command "$command"
    ctl active-wait "$name" 10 || fail "\"$name\" did not open"
    picture "$name" "${dialog##* }"
    ctl close "$name"
    ctl active-wait main 10 || fail "the main window did not come back after \"$name\""
done
exit_horalet

echo "-- an empty list says how to add a timer, until it has one"
rm "$workdir/autosave.ini"
start_horalet
picture main empty-list
cp "$workdir/screen.png" "$workdir/empty.png"
# As the hint says; no window of the program comes over the list meanwhile.
(cd "$workdir" && wine "$HORALET_EXE" 25m tea) || fail "horalet 25m tea did not add the timer"
picture main one-timer
# The middle third of the list below the first row, where the hint stood.
read -r x _ w _ <<<"$(ctl client-rect Horalet 1002 | tr -d '\r')"
read -r _ y _ h <<<"$(ctl row-icon 0 | tr -d '\r')"
ink() {
    convert "$1" -crop "$((w / 3))x$(at_dpi 40)+$((x + w / 3))+$((y + h + $(at_dpi 3)))" +repage -colorspace gray \
        -threshold 70% -negate -format '%[fx:round(mean * w * h)]' info:
}
[ "$(ink "$workdir/empty.png")" -gt 50 ] || fail "the empty list shows no hint (see scale-$dpi-empty-list.png)"
[ "$(ink "$workdir/screen.png")" -eq 0 ] || fail "the hint stays below the first row (see scale-$dpi-one-timer.png)"
exit_horalet

echo "-- inside the program's process: font, columns, state and window icons at $dpi DPI, and after a move"
(cd "$workdir" && wine "$HORALET_MAIN_WINDOW_TESTS" --gtest_color=no \
    --gtest_filter='MainWindowTest.MovedToAMonitorOfAnotherScale*' >"$workdir/inside.log" 2>&1) ||
    fail "$(cat "$workdir/inside.log")"
grep -q '^\[  PASSED  \] 1 test' "$workdir/inside.log" || fail "the test inside did not run: $(cat "$workdir/inside.log")"
echo "display scale $dpi: all checks passed"
