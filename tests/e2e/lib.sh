# Shared steps of the end-to-end scripts: each runs the real horalet.exe under
# Wine in a fresh folder of its own and drives it from outside. Sourced.
set -euo pipefail

: "${HORALET_EXE:?path of horalet.exe}"
: "${HORACTL_EXE:?path of horactl.exe}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# The Wine session these scripts run in (scripts/lib.sh, start_wine_session)
# leaves the program's windows unmanaged: there is no window manager on the
# virtual display.

workdir=$(mktemp -d "${TMPDIR:-/tmp}/horalet-e2e.XXXXXX")
horalet_pid=
shots=${HORALET_E2E_SHOTS:-$workdir/screenshots}

fail() { echo "FAIL: $*" >&2; exit 1; }
check() { local what=$1; shift; "$@" || fail "$what"; }

# One horactl serves the whole script (a Wine process takes half a second to
# start); ctl VERB ARGS... prints what that verb prints and returns its exit
# code. Whatever reads its output must read all of it (grep, not grep -q):
# lines left unread would be taken for the next answer. The coprocess's pipes are copied to plain descriptors, which, unlike
# its own, reach the subshells of pipelines too.
coproc HORACTL { exec wine "$HORACTL_EXE" serve; }
horactl_pid=$HORACTL_PID
exec {horactl_in}>&"${HORACTL[1]}" {horactl_out}<&"${HORACTL[0]}"
ctl() {
    local IFS=$'\t' line
    printf '%s\n' "$*" >&"$horactl_in"
    while IFS= read -r -t 120 line <&"$horactl_out"; do
        line=${line%$'\r'}
        if [[ $line =~ ^\<\<horactl\ ([0-9]+)\>\>$ ]]; then return "${BASH_REMATCH[1]}"; fi
        printf '%s\n' "$line"
    done
    echo "horactl stopped answering" >&2
    return 99
}

# Starts the program in the work folder (or the folder given); its output
# goes to a file so that it never holds the test's own output open.
start_horalet() {
    (cd "${1:-$workdir}" && exec wine "$HORALET_EXE" >"$workdir/horalet.log" 2>&1) &
    horalet_pid=$!
    ctl wait 30 || fail "the main window did not appear"
    # The window exists before its set-up (the autosave load) has finished;
    # it takes the keyboard once that is done.
    ctl active-wait main 30 || fail "the main window did not become active"
}

# Ends the program the way a user does (Esc) and waits for it to finish.
exit_horalet() {
    ctl post-command 2 || true
    local waited=0
    while kill -0 "$horalet_pid" 2>/dev/null && [ $waited -lt 100 ]; do sleep 0.2; waited=$((waited + 1)); done
    ! kill -0 "$horalet_pid" 2>/dev/null || fail "horalet.exe did not end"
    horalet_pid=
}

# The Linux process that runs horalet.exe in the work folder (the one Wine
# named after the program, not its launcher), for stopping it as a sleep
# would.
horalet_process() {
    local pid
    for pid in $(pgrep -x horalet.exe); do
        [ "$(readlink "/proc/$pid/cwd")" = "$workdir" ] && { echo "$pid"; return 0; }
    done
    return 1
}

# Commands that undo what a script set up outside its work folder (a mount,
# a drive letter), run at its end whether it passed or not.
undo_at_end=()

# Kills a program left running by a failed check and waits for it to end, so
# that the next script's start does not meet it as a running instance.
cleanup() {
    if [ -n "$horalet_pid" ] && kill "$horalet_pid" 2>/dev/null; then
        local waited=0
        while kill -0 "$horalet_pid" 2>/dev/null && [ $waited -lt 50 ]; do sleep 0.2; waited=$((waited + 1)); done
        kill -9 "$horalet_pid" 2>/dev/null || true
    fi
    exec {horactl_in}>&- {horactl_out}<&-
    kill "$horactl_pid" 2>/dev/null || true
    local step
    for step in "${undo_at_end[@]}"; do eval "$step" || true; done
    rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 1' INT TERM  # a script stopped from outside cleans up as well

# Polls a command until it succeeds: poll SECONDS COMMAND...
poll() {
    local until=$(($(date +%s%N) + ${1%.*} * 1000000000)); shift
    until "$@"; do
        [ "$(date +%s%N)" -lt "$until" ] || return 1
        sleep 0.2
    done
}

# Keys and text go where a user's would: to the window that is active in the
# program, named as horactl names it ("main", "message" or a dialog's
# caption). Sending them only once that window is active keeps them from
# reaching the window it replaces. Wine gives an unmanaged window the X focus
# when it activates it; giving it again here keeps a window that vanished
# from leaving the focus nowhere, where xdotool's keys would be lost.
focus_active() {
    local xwindow
    xwindow=$(ctl active-xwindow "$1" 10 | tr -d '\r') || fail "\"$1\" did not become active"
    timeout 10 xdotool windowfocus --sync "$xwindow" || fail "\"$1\" did not take the keyboard focus"
}
# The keys are real key presses (XTEST); keys sent to a window as events
# (xdotool key --window) leave Wine's key state behind: after an Alt+F4 sent
# so, the window that a tray click shows again hides once more.
keys() { focus_active "$1"; shift; xdotool key --delay 60 "$@"; }
type_text() { focus_active "$1"; xdotool type --delay 60 "$2"; }

# Clicks go to whatever is under the pointer; no focus is needed. The X
# server handles the move before the press; "mousemove --sync" would wait in
# vain when the pointer is already there.
click_at() { xdotool mousemove "$1" "$2" click 1; }
click_control() { local at; at=$(ctl centre "$1" "$2" | tr -d '\r') || fail "no control $2 in \"$1\""; click_at $at; }
click_row() { local at; at=$(ctl row-centre "$1" | tr -d '\r') || fail "no row $1"; click_at $at; }

# The texts and check states of a dialog's controls, one control a line:
# id, class, enabled, checked, text (tab-separated).
dialog_controls() { ctl dialog "$1" | tr -d '\r'; }

# Fails unless control ID in a dialog_controls output reads STATE (enabled or
# disabled), CHECK (checked or -) and TEXT: expect_control CONTROLS ID STATE CHECK TEXT
expect_control() {
    local line
    line=$(printf '%s\n' "$1" | awk -F '\t' -v id="$2" '$1 == id { print $3 "\t" $4 "\t" $5 }')
    [ "$line" = "$3	$4	$5" ] || fail "control $2 reads \"$line\", expected \"$3	$4	$5\""
}

# The text of the open message box; empty when none is shown.
message_text() { ctl message | tr -d '\r' | awk -F '\t' '$1 == 65535 { print $5 }'; }

screenshot() {
    command -v import >/dev/null || return 0
    mkdir -p "$shots"
    import -window root "$shots/$1.png"
}

# Makes the work folder the root of a drive letter of its own, so that the
# program started there runs in a folder whose full path is as short as one
# can be ("H:\"): Wine names the current folder by the drive that maps
# most of it.
map_workdir_to_drive() {
    local letter drives=${WINEPREFIX:-$HOME/.wine}/dosdevices
    for letter in h i j k l m n o p q r s t u v w x y; do
        [ -e "$drives/$letter:" ] || [ -L "$drives/$letter:" ] && continue
        ln -s "$workdir" "$drives/$letter:" || continue
        undo_at_end+=("rm -f '$drives/$letter:'")
        return 0
    done
    fail "no free drive letter in $drives"
}

# A timer set file from lines given as arguments, one section per "---".
crlf_file() { local out=$1; shift; printf '%s\r\n' "$@" >"$out"; }

# One timer as the set file writer puts it, byte for byte:
# timer_section INDEX DESCRIPTION STATE LIMIT SECONDS [MINUTES [COAST_INT COAST_FRAC VALUE UNIT]]
timer_section() {
    local minutes=${6:-0} coast_int=${7:-0} coast_frac=${8:-} value=${9:-0} unit=${10:-second}
    printf '\r\n[TIMER_%s]\r\nDESCRIPTION = %s\r\nHOURS = 0\r\nMINUTES = %s\r\nSECONDS = %s\r\nACTION_TYPE = 0\r\nFILE = \r\nFLAGS = 0\r\nPARAMETER = \r\nRUN_TIMER = 0\r\nSTATE = %s\r\nLIMIT = %s\r\nCOAST_INT = %s\r\nCOAST_FRAC = %s\r\nVALUE = %s\r\nUNIT = %s\r\n' \
        "$1" "$2" "$minutes" "$5" "$3" "$4" "$coast_int" "$coast_frac" "$value" "$unit"
}

# The column texts of row N (0-based) as printed by horactl rows: image, then
# the fifteen columns, tab-separated.
row() { ctl rows | sed -n "$(($1 + 1))p" | tr -d '\r'; }
field() { printf '%s' "$1" | cut -f "$2"; }  # field 1 is the image, 2.. the columns
