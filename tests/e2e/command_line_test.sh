#!/usr/bin/env bash
# Timers asked for on the command line: each form of time, a count-up,
# --paused and any language reach the running program as new rows, saved at
# once and told in a balloon; a refusal answers with a box and exit code 2
# and changes nothing; ten starts at once, with or without a program
# running, end in one program with ten new rows; a full list is refused;
# payloads from other programs that do not read back whole change nothing.
source "$(dirname "$0")/lib.sh"

# One start of the program with arguments; its exit code is written to
# $workdir/rc.NAME when it ends.
declare -A started
start_with() {
    local name=$1; shift
    (cd "$workdir" && code=0 && LC_ALL=C.UTF-8 timeout 60 wine "$HORALET_EXE" "$@" >>"$workdir/starts.log" 2>&1 || code=$?
     echo $code >"$workdir/rc.$name") &
    started[$name]=$!
}
exit_code() { poll 60 test -s "$workdir/rc.$1" || fail "start $1 did not end"; cat "$workdir/rc.$1"; }
rows_named() { ctl rows | tr -d '\r' | awk -F '\t' -v d="$1" '$6 == d' | wc -l; }
saved_timers() { grep -c '^\[TIMER_' "$workdir/autosave.ini" || true; }
rows_are() { [ "$(ctl rows | wc -l)" -eq "$1" ]; }
saved_are() { [ "$(saved_timers)" -eq "$1" ]; }
# The rows without the times that running timers change.
list_shape() { ctl rows | tr -d '\r' | cut -f 1,4,6- | md5sum; }
last_row() { ctl rows | tr -d '\r' | tail -n 1; }

echo "-- with no program running, a start loads the list paused, then adds and starts its timer"
timer_section 0 "From the last run" 0 1 30 >"$workdir/autosave.ini"
start_with first 25m Tea
ctl wait 30 || fail "the main window did not appear"
poll 20 rows_are 2 || fail "rows after the start: $(ctl rows)"
horalet_pid=${started[first]}
[ "$(field "$(row 0)" 1 | tr -d '*')" = 1 ] || fail "the loaded timer is not paused: $(row 0)"
[ "$(field "$(row 1)" 1)" = 0 ] && [ "$(field "$(row 1)" 4)" = 00:25:00 ] && [ "$(field "$(row 1)" 6)" = Tea ] ||
    fail "the new timer reads $(row 1)"
poll 5 saved_are 2 || fail "the new timer was not saved"

echo "-- each form of time, a count-up, --paused and a description in any language"
# arguments | image (0 running, 1 paused) | set time (none shown counting up) | limit | description
cases=(
    "7 Seven|0|00:07:00|1|Seven"        "1h5m Units|0|01:05:00|1|Units"     "90s|0|00:01:30|1|"
    "2h30s Gap|0|02:00:30|1|Gap"        "90m Carry|0|01:30:00|1|Carry"      "1:30 Short|0|00:01:30|1|Short"
    "2:00:05 Long|0|02:00:05|1|Long"    "99:59:59 Most|0|99:59:59|1|Most"   "Just words|0||0|Just words"
    "-- 3 eggs|0||0|3 eggs"     "--paused 10m Boil|1|00:10:00|1|Boil"
    "5m Thé 茶|0|00:05:00|1|Thé 茶"
)
n=0
for case in "${cases[@]}"; do
    IFS='|' read -r arguments image set limit description <<<"$case"
    n=$((n + 1))
    read -ra words <<<"$arguments"
    start_with "form$n" "${words[@]}"
    [ "$(exit_code "form$n")" = 0 ] || fail "\"$arguments\" ended with $(exit_code "form$n")"
    # Saved right after the answer that ends the start, not by some later tick.
    sleep 0.1
    saved_are $((n + 2)) || fail "\"$arguments\" was not saved when its start ended"
    got=$(last_row)
    [ "$(field "$got" 1)	$(field "$got" 4)	$(field "$got" 6)	$(field "$got" 12)" = "$image	$set	$description	$limit" ] ||
        fail "\"$arguments\" gave the row $got"
    [ "$(field "$got" 8)	$(field "$got" 10)	$(field "$got" 13)" = '.\wave files\reminder.wav	0	0' ] ||
        fail "\"$arguments\" is not a new timer as the editor makes it: $got"
done
[ "$(ctl rows | wc -l)" -eq $((n + 2)) ] || fail "$((n + 2)) rows expected"
grep -q '^DESCRIPTION = Thé 茶' "$workdir/autosave.ini" || fail "the UTF-8 description was not saved"
told() { ctl tray-texts | grep -F "balloon	shown	$1" >/dev/null; }
poll 10 told 'Thé 茶: 00:05:00, started' || fail "no balloon: $(ctl tray-texts)"
screenshot command-line-balloon

echo "-- a time it cannot read and an unknown option: a box, exit code 2, nothing changed"
cp "$workdir/autosave.ini" "$workdir/before.ini"
rows_before=$(list_shape)
# A description with line breaks could plant keys in autosave.ini: refused.
planted=$'Tea\nACTION_TYPE = 1\nFILE = C:\\Windows\\System32\\calc.exe\nLIMIT = 1\nSECONDS = 5'
refusals=(
    '100h|"100h" is longer than 99:59:59.'
    '--bogus|Unknown option "--bogus".'
    'planted|The description holds a line break, a tab or another control character.'
)
for refusal in "${refusals[@]}"; do
    refused=${refusal%%|*}
    if [ "$refused" = planted ]; then start_with planted 5m "$planted"; else start_with "$refused" "$refused" Tea; fi
    ctl message-wait 30 >/dev/null || fail "no box for $refused"
    message_text | grep -F -- "${refusal#*|}" >/dev/null || fail "the box for $refused reads: $(message_text)"
    ctl close message  # a box of another process: not the program's active window
    [ "$(exit_code "$refused")" = 2 ] || fail "$refused ended with $(exit_code "$refused")"
done
[ "$(list_shape)" = "$rows_before" ] || fail "a refused start changed the list"
cmp "$workdir/autosave.ini" "$workdir/before.ini" || fail "a refused start changed autosave.ini"

echo "-- payloads that do not read back whole change nothing"
for payload in "0x484F5201 00" "0x484F5201 01" "0x484F5201 $(printf 'ff%.0s' {1..300})" 0x12345678; do
    # shellcheck disable=SC2086
    [ "$(ctl copydata $payload | tr -d '\r')" = 0 ] || fail "the payload \"${payload:0:30}\" was taken"
done
[ "$(list_shape)" = "$rows_before" ] || fail "a malformed payload changed the list"
[ "$(ctl copydata 0x484F5201 late | tr -d '\r')" = 5 ] && [ "$(rows_named "Handed over")" -eq 0 ] ||
    fail "a payload whose start gave up was taken"
[ "$(ctl copydata 0x484F5201 | tr -d '\r')" = 1 ] && [ "$(rows_named "Handed over")" -eq 1 ] ||
    fail "the payload a start sends was not taken"

echo "-- a list that cannot be saved: the timer is added, and the start says so with exit code 3"
chmod 444 "$workdir/autosave.ini"
start_with unsaved 5m Unsaved
ctl message-wait 30 >/dev/null || fail "no box for a timer that cannot be saved"
unsaved_box() { message_text | grep -F 'added the timer but cannot save its list now' >/dev/null; }
# The program tells of its failed save too: the start's box is the one asked for.
for _ in $(seq 20); do unsaved_box && break; ctl close message; sleep 0.3; done
unsaved_box || fail "the box for an unsaved timer reads: $(message_text)"
ctl close message
[ "$(exit_code unsaved)" = 3 ] || fail "a timer that could not be saved ended with $(exit_code unsaved)"
[ "$(rows_named Unsaved)" -eq 1 ] || fail "the timer that could not be saved is not in the list"
chmod 644 "$workdir/autosave.ini"
while ctl message >/dev/null; do ctl close message; sleep 0.3; done
poll 10 grep -q '^DESCRIPTION = Unsaved' "$workdir/autosave.ini" || fail "the retry did not save the timer"

# Ten starts let go at the same moment: every one but the instance must end
# with 0 (ENDING of them), and the rows "WORDS 1" to "WORDS 10" be there once.
ten_at_once() {
    local ending=$1 words=$2 i codes
    codes=$(ctl start-together 10 "$ending" "Z:${workdir//\//\\}" "Z:${HORALET_EXE//\//\\}" 3m "$words") ||
        fail "only $(printf '%s\n' "$codes" | grep -c .) of the starts ended"
    [ "$(printf '%s\n' "$codes" | tr -d '\r' | awk '$2 != 0' | wc -l)" -eq 0 ] || fail "exit codes: $codes"
    for i in $(seq 1 10); do [ "$(rows_named "$words $i")" -eq 1 ] || fail "$words $i is in $(rows_named "$words $i") rows"; done
    [ "$(xdotool search --name '^Horalet$' | wc -l)" -eq 1 ] || fail "more than one main window"
}

echo "-- ten starts at once with the program running: ten rows, each once"
ten_at_once 10 Batch
exit_horalet

echo "-- ten starts at once with no program running: one program, ten rows, each once"
rm -f "$workdir/autosave.ini"
ten_at_once 9 Cold
horalet_pid=$(horalet_process) || fail "no program runs"
exit_horalet

echo "-- a full list refuses the timer in the editor's words and stays as it is"
for i in $(seq 0 99); do timer_section "$i" "Full $i" 1 1 30; done >"$workdir/autosave.ini"
cp "$workdir/autosave.ini" "$workdir/before.ini"
start_horalet
start_with full 5m Over
ctl message-wait 30 >/dev/null || fail "no box for a full list"
message_text | grep -F 'Limit is reached.' >/dev/null || fail "the full list's box reads: $(message_text)"
ctl close message
[ "$(exit_code full)" = 2 ] || fail "a full list ended with $(exit_code full)"
[ "$(ctl rows | wc -l)" -eq 100 ] && [ "$(rows_named Over)" -eq 0 ] || fail "the full list changed"
cmp "$workdir/autosave.ini" "$workdir/before.ini" || fail "the full list's autosave.ini changed"
exit_horalet

echo "-- a refusal's box left open is not the program: a plain start still starts it"
start_with leftopen 100h Tea
ctl message-wait 30 >/dev/null || fail "no box for 100h"
start_horalet
ctl close message
[ "$(exit_code leftopen)" = 2 ] || fail "the refused start ended with $(exit_code leftopen)"
exit_horalet
