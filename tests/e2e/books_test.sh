#!/usr/bin/env bash
# The books: a stretch a timer ran is a line of Books\yyyy-mm.csv with the
# time it counted and the sum it earned; "Books..." reports it, Copy puts it
# on the clipboard as columns, Export writes a CSV in the user's locale, and
# a kill mid-stretch loses only what the last kept minute did not hold.
source "$(dirname "$0")/lib.sh"

# ACME counts up at 2.50 a second; Notes counts up without a price.
{ timer_section 0 "ACME Ltd" 1 0 0 0 2 50 0 second; timer_section 1 "Notes" 1 0 0; } >"$workdir/autosave.ini"
books="$workdir/Books/$(date +%Y-%m).csv"
seconds_of() { local t; t=$(field "$(row "$1")" 2); echo $((10#${t:0:2} * 3600 + 10#${t:3:2} * 60 + 10#${t:6:2})); }
entry() { tr -d '\r' <"$books" | awk -F, -v d="$1" '$1 == d' | sed -n "${2}p"; }
as_windows_path() { printf 'Z:%s' "${1//\//\\}"; }

: >"$workdir/Books"  # a file where the folder must go: the books cannot be written
start_horalet
echo "-- ACME runs and is paused, with no room for the books: told once, the entry kept until it can be written"
ctl select 0 && ctl command 32773
sleep 3.4
ctl command 32773
counted=$(seconds_of 0)
sum=$(field "$(row 0)" 5)
[ "$counted" -ge 3 ] || fail "ACME did not count: $(row 0)"
ctl message-wait 10 >/dev/null || fail "the books' failure was not told"
message_text | grep -q "^The books cannot be written to the Books folder." || fail "the box says: $(message_text)"
keys message Return
rm "$workdir/Books"
poll 5 test -s "$books" || fail "no books in $books once the folder could be made"
[ -z "$(message_text)" ] || fail "told twice: $(message_text)"

echo "-- its stretch is an entry with the time and sum the list shows"
[ "$(tr -d '\r' <"$books" | head -1)" = "description,start,end,seconds,price,amount,runs" ] || fail "header: $(head -1 "$books")"
IFS=, read -r name start end seconds price amount runs <<<"$(entry "ACME Ltd" 1)"
[ "$seconds,$price,$amount,$runs" = "$counted,2.50 per second,$sum,1" ] || fail "the entry: $(entry "ACME Ltd" 1)"
[ "$(($(date -d "$end" +%s) - $(date -d "$start" +%s)))" -ge "$counted" ] || fail "from $start to $end is shorter than $counted s"
hours=$(printf '%d.%02d' $((counted * 100 / 360000)) $(((counted * 100 + 1800) / 3600 % 100)))
clock=$(printf '00:00:%02d' "$counted")

echo "-- Ctrl+B opens the report: one row for ACME and the total"
keys main ctrl+b
ctl active-wait Books 10 || fail "the Books dialog did not open"
report=$(ctl list-rows Books 1105 5 | tr -d '\r')
[ "$report" = "ACME Ltd	1	$clock	$hours	$sum
Total	1	$clock	$hours	$sum" ] || fail "the report reads: $report"
screenshot books-dialog

echo "-- Copy (Alt+C) puts the rows on the clipboard, tab-separated"
keys Books alt+c
copied=$(ctl clipboard | tr -d '\r') || fail "nothing on the clipboard"
[ "$copied" = "Description	Stretches	Time	Hours	Amount
ACME Ltd	1	$clock	$hours	$sum
Total	1	$clock	$hours	$sum" ] || fail "the clipboard holds: $copied"

echo "-- the single entries, and Export... writes them with a byte order mark"
keys Books alt+e
[ "$(ctl list-rows Books 1105 8 | tr -d '\r')" = "ACME Ltd	$start	$end	$clock	$hours	2.50 per second	$sum	1" ] ||
    fail "the entries read: $(ctl list-rows Books 1105 8)"
click_control Books 1107
ctl active-wait "Export the report" 10 || fail "no Save dialog"
type_text "Export the report" "$(as_windows_path "$workdir/export.csv")"
keys "Export the report" Return
poll 10 test -s "$workdir/export.csv" || fail "nothing exported"
[ "$(tr -d '\r' <"$workdir/export.csv")" = $'\xEF\xBB\xBF'"Description,Start,End,Time,Hours,Price,Amount,Runs
ACME Ltd,$start,$end,$clock,$hours,2.50 per second,$sum,1" ] || fail "the export: $(cat -A "$workdir/export.csv")"
keys Books Escape
ctl active-wait main 10 || fail "the report did not close"

echo "-- killed mid-stretch, the next start records it up to the moment the list was kept"
ctl select 0 && ctl command 32773
sleep 2.2
ctl select 1 && ctl command 32773  # a change of the list: it is written, with where ACME stands
kept=$(awk -F' = ' '/^DESCRIPTION = ACME/ { acme = 1 } acme && /^ELAPSED/ { print $2 + 0; exit }' "$workdir/autosave.ini")
pid=$(horalet_process) || fail "no program runs"
kill -9 "$pid"
while kill -0 "$horalet_pid" 2>/dev/null; do sleep 0.2; done
horalet_pid=
start_horalet
[ "$(seconds_of 0)" -eq "$kept" ] || fail "ACME came back at $(row 0), not at $kept s"
poll 5 test -n "$(entry "ACME Ltd" 2)" || fail "the interrupted stretch was not recorded: $(cat "$books")"
IFS=, read -r _ _ _ seconds _ amount runs <<<"$(entry "ACME Ltd" 2)"
[ "$seconds" -eq $((kept - counted)) ] || fail "the interrupted stretch counted $seconds s, not $((kept - counted))"
total=$(tr -d '\r' <"$books" | awk -F, '$1 == "ACME Ltd" { cents += $6 * 100 } END { printf "%.2f", cents / 100 }')
[ "$total" = "$(field "$(row 0)" 5)" ] || fail "ACME's entries add up to $total, its Sum shows $(field "$(row 0)" 5)"
echo "-- killed again before anything changed, the note is still in the file; the stretch is not recorded twice"
kill -9 "$(horalet_process)"
while kill -0 "$horalet_pid" 2>/dev/null; do sleep 0.2; done
horalet_pid=
start_horalet
exit_horalet
[ "$(grep -c '^ACME Ltd,' "$books")" -eq 2 ] || fail "the stretch was recorded twice: $(cat "$books")"

echo "-- in a German locale Export uses ';' and ',' as Excel there expects"
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 start_horalet
keys main ctrl+b
ctl active-wait Books 10 || fail "the Books dialog did not open"
click_control Books 1107
ctl active-wait "Export the report" 10 || fail "no Save dialog"
type_text "Export the report" "$(as_windows_path "$workdir/export-de.csv")"
keys "Export the report" Return
poll 10 test -s "$workdir/export-de.csv" || fail "nothing exported"
grep -q "^Total;2;00:00:[0-9][0-9];0,00;[0-9]*,[0-9][0-9]" <(tr -d '\r' <"$workdir/export-de.csv") ||
    fail "the German export: $(cat "$workdir/export-de.csv")"

echo "-- Open folder hands the Books folder to the shell"
click_control Books 1108
sleep 2
[ -z "$(message_text)" ] || fail "Open folder: $(message_text)"
ctl close Books  # the shell's window may now be the active one
no_dialog() { [ "$(ctl open-boxes | tr -d '\r')" = 0 ]; }
poll 10 no_dialog || fail "the report did not close"
exit_horalet
echo "books: all checks passed"
