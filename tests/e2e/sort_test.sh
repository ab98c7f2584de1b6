#!/usr/bin/env bash
# A click on a column's header sorts the whole list by it, whatever order the
# rows stood in; every click sorts the other way; the header's arrow shows
# the column and the way, until a row is moved.
source "$(dirname "$0")/lib.sh"

n=0
for fruit in Fig:2 Cherry:1 Apple:3 Elder:1 Banana:2 Date:3 Grape:1; do
    timer_section $n "${fruit%%:*}" 1 1 0 "${fruit#*:}"
    n=$((n + 1))
done >"$workdir/autosave.ini"
start_horalet
column_of() { ctl rows | tr -d '\r' | cut -f "$1" | paste -sd ' '; }
click_header() { local at; at=$(ctl header-centre "$1" | tr -d '\r') || fail "no header $1"; click_at $at; }

echo "-- a click on Description sorts the seven timers by name"
click_header 4
by_name() { [ "$(column_of 6)" = "Apple Banana Cherry Date Elder Fig Grape" ]; }
poll 5 by_name || fail "sorted by description: $(column_of 6)"
[ "$(ctl header-arrow 4 | tr -d '\r')" = up ] || fail "the Description header's arrow: $(ctl header-arrow 4)"
screenshot sorted-by-description

echo "-- the next click, on Time set, sorts that column the other way; ties keep their order"
click_header 2
sleep 0.5
[ "$(column_of 6)" = "Apple Date Banana Fig Cherry Elder Grape" ] || fail "sorted by time set: $(column_of 6) / $(column_of 4)"
[ "$(ctl header-arrow 2 | tr -d '\r')" = down ] && [ "$(ctl header-arrow 4 | tr -d '\r')" = none ] ||
    fail "the arrows after the second sort: $(ctl header-arrow 2) $(ctl header-arrow 4)"

echo "-- a moved row leaves the list unsorted: no arrow"
ctl select 0
keys main ctrl+Down
sleep 0.5
[ "$(column_of 6 | cut -d ' ' -f 1,2)" = "Date Apple" ] || fail "Ctrl+Down did not move the row: $(column_of 6)"
[ "$(ctl header-arrow 2 | tr -d '\r')" = none ] || fail "the arrow stayed after a move"
exit_horalet
echo "sort: all checks passed"
