#!/usr/bin/env bash
# Named timer sets as a user keeps them: Ctrl+S saves the list under a typed
# name with the writer's exact bytes, Ctrl+D answered Yes empties the list,
# and Ctrl+L brings the set back, each timer in the run state it was saved in;
# the first set is selected as the dialog opens, so Enter alone loads it.
# Names of 240 to 250 characters either save a set that loads back or are
# refused with the dialog open and the name kept.
source "$(dirname "$0")/lib.sh"
# From a drive's root the longest names can fit: some of them save, the
# others are refused.
map_workdir_to_drive

{
    timer_section 0 "Morning tea" 1 1 0 20
    timer_section 1 "Short break" 1 1 1
    timer_section 2 "Client call, billed" 1 0 0 0 12 50 1 minute
    timer_section 3 "Read mail" 1 1 30
} >"$workdir/autosave.ini"
mkdir "$workdir/Save"
timer_section 0 "Another set" 1 0 0 >"$workdir/Save/Alpha.ini"

# The rows without what counting changes (elapsed and left time) and
# without the selection mark.
settled_rows() {
    ctl rows | tr -d '\r' | awk -F '\t' -v OFS='\t' '{ sub(/^\*/, "", $1); $2 = ""; $3 = ""; print }'
}
row_count() { ctl rows | wc -l; }
image_of() { field "$(row "$1")" 1 | tr -d '*'; }

start_horalet

echo "-- one timer running, one finished, two paused"
click_row 0
keys main ctrl+p
click_row 1
keys main ctrl+p   # a one-second timer: it finishes at the next tick
short_break_finished() { [ "$(image_of 1)" = 2 ]; }
poll 5 short_break_finished || fail "the one-second timer did not finish: $(row 1)"
[ "$(image_of 0)" = 0 ] && [ "$(image_of 2)" = 1 ] && [ "$(image_of 3)" = 1 ] || fail "run states: $(ctl rows)"
before=$(settled_rows)

echo "-- Ctrl+S and a typed name write Save\\Week plan.ini byte for byte"
keys main ctrl+s
ctl active-wait "Enter file name" 10 || fail "Ctrl+S did not open \"Enter file name\""
type_text "Enter file name" "Week plan"
keys "Enter file name" Return
ctl active-wait main 10 || fail "Enter did not close the save dialog"
{
    timer_section 0 "Morning tea" 0 1 0 20
    timer_section 1 "Short break" 2 1 1
    timer_section 2 "Client call, billed" 1 0 0 0 12 50 1 minute
    timer_section 3 "Read mail" 1 1 30
} >"$workdir/expected.ini"
[ -f "$workdir/Save/Week plan.ini" ] || fail "no file: $(ls "$workdir/Save")"
cmp "$workdir/Save/Week plan.ini" "$workdir/expected.ini" ||
    fail "the saved set differs: $(diff <(od -c "$workdir/Save/Week plan.ini") <(od -c "$workdir/expected.ini"))"

echo "-- Enter at the delete question keeps the row: No is the default"
keys main ctrl+d
ctl message-wait 10 >/dev/null || fail "Ctrl+D asked nothing"
[ "$(message_text)" = "Delete the selected item. Are you sure?" ] || fail "wrong question: $(message_text)"
keys message Return
ctl active-wait main 10 || fail "Enter did not close the question"
[ "$(row_count)" -eq 4 ] || fail "Enter deleted a row"

echo "-- Ctrl+D answered with the Yes button's Y empties the list"
while [ "$(row_count)" -gt 0 ]; do
    left=$(row_count)
    keys main ctrl+d
    ctl message-wait 10 >/dev/null || fail "Ctrl+D asked nothing with $left rows"
    keys message y
    ctl active-wait main 10 || fail "Y did not close the question"
    [ "$(row_count)" -eq $((left - 1)) ] || fail "Y did not delete one row of $left"
    # Each delete selects the top row, so the next Ctrl+D has one to delete.
    [ $left -eq 1 ] || [ "$(field "$(row 0)" 1 | cut -c 1)" = "*" ] || fail "the top row is not selected"
done

echo "-- Ctrl+L lists the sets; W and Enter load Week plan.ini"
keys main ctrl+l
ctl active-wait "Load timers" 10 || fail "Ctrl+L did not open \"Load timers\""
listed=$(ctl list-box "Load timers" 1002 | tr -d '\r')
[ "$listed" = "$(printf '*Alpha.ini\nWeek plan.ini')" ] || fail "listed, the first set selected: $listed"
keys "Load timers" w   # the list box selects the entry that begins with W
[ "$(ctl list-box "Load timers" 1002 | tr -d '\r' | grep '^\*')" = "*Week plan.ini" ] ||
    fail "W selected: $(ctl list-box "Load timers" 1002)"
screenshot load-dialog
keys "Load timers" Return
ctl active-wait main 10 || fail "Enter did not close the load dialog"

echo "-- the same timers come back in their saved run states, counting from zero"
[ "$(settled_rows)" = "$before" ] || fail "loaded rows differ: $(diff <(echo "$before") <(settled_rows))"
[ "$(field "$(row 0)" 1 | cut -c 1)" = "*" ] || fail "row 0 is not selected after the load"
[ "$(field "$(row 1)" 2)" = 00:00:00 ] || fail "the finished timer kept its elapsed time: $(row 1)"
tea_counts() { [ "$(field "$(row 0)" 2)" != 00:00:00 ]; }
poll 5 tea_counts || fail "the timer saved running does not run: $(row 0)"
screenshot main-after-load

echo "-- names of 240 to 250 characters save a set that loads back, or are refused and kept"
saved_names=0 refused_names=0 longest_saved=
for length in $(seq 240 250); do
    name=$(printf "%${length}s" | tr ' ' n)
    keys main ctrl+s
    ctl active-wait "Enter file name" 10 || fail "Ctrl+S did not open \"Enter file name\""
    ctl set-text "Enter file name" 1021 "$name" || fail "the name could not be entered"
    keys "Enter file name" Return
    closed_or_told() { [ -n "$(message_text)" ] || ! ctl dialog "Enter file name" >/dev/null; }
    poll 10 closed_or_told || fail "Enter with a name of $length characters did nothing"
    told=$(message_text || true)  # empty when no box came
    if [ -z "$told" ]; then
        cmp "$workdir/Save/$name.ini" "$workdir/expected.ini" || fail "the set named with $length characters differs"
        saved_names=$((saved_names + 1)) longest_saved=$name
    else
        [ "$told" = "Invalid file name." ] || fail "a name of $length characters: \"$told\""
        keys message Return
        ctl active-wait "Enter file name" 10 || fail "the dialog did not stay open for a name of $length characters"
        [ "$(dialog_controls "Enter file name" | awk -F '\t' '$1 == 1021 { print $5 }')" = "$name" ] ||
            fail "the refused name of $length characters was not kept"
        keys "Enter file name" Escape
        ctl active-wait main 10 || fail "Esc did not close the save dialog"
        refused_names=$((refused_names + 1))
    fi
done
echo "   $saved_names saved, $refused_names refused"
[ $saved_names -gt 0 ] && [ $refused_names -gt 0 ] || fail "from a drive's root some names should save and some be refused"
keys main ctrl+d
ctl message-wait 10 >/dev/null || fail "Ctrl+D asked nothing"
keys message y
ctl active-wait main 10 || fail "Y did not close the question"
keys main ctrl+l
ctl active-wait "Load timers" 10 || fail "Ctrl+L did not open \"Load timers\""
# The list box sorts without regard to case: Alpha, the long names from the
# shortest, Week plan; N and Down keys reach the longest saved.
keys "Load timers" n $(for _ in $(seq 2 $saved_names); do echo Down; done)
[ "$(ctl list-box "Load timers" 1002 | tr -d '\r' | grep '^\*')" = "*$longest_saved.ini" ] ||
    fail "the longest saved set is not selected: $(ctl list-box "Load timers" 1002 | grep '^\*')"
keys "Load timers" Return
ctl active-wait main 10 || fail "Enter did not close the load dialog"
[ "$(settled_rows)" = "$before" ] || fail "the set with the longest name loads back otherwise"

echo "-- Ctrl+L and Enter at once load the first set"
keys main ctrl+l
ctl active-wait "Load timers" 10 || fail "Ctrl+L did not open \"Load timers\""
keys "Load timers" Return
ctl active-wait main 10 || fail "Enter did not close the load dialog: $(message_text)"
[ "$(ctl rows | tr -d '\r' | cut -f 6)" = "Another set" ] || fail "Enter loaded: $(ctl rows)"

exit_horalet
echo "timer sets: all checks passed"
