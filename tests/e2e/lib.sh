# Shared steps of the end-to-end scripts: each runs the real horalet.exe under
# Wine in a fresh folder of its own and drives it from outside. Sourced.
set -euo pipefail

: "${HORALET_EXE:?path of horalet.exe}"
: "${HORACTL_EXE:?path of horactl.exe}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

workdir=$(mktemp -d "${TMPDIR:-/tmp}/horalet-e2e.XXXXXX")
horalet_pid=

fail() { echo "FAIL: $*" >&2; exit 1; }
check() { local what=$1; shift; "$@" || fail "$what"; }

ctl() { wine "$HORACTL_EXE" "$@"; }

# Starts the program in the work folder; its output goes to a file so that it
# never holds the test's own output open.
start_horalet() {
    (cd "$workdir" && exec wine "$HORALET_EXE" >"$workdir/horalet.log" 2>&1) &
    horalet_pid=$!
    ctl wait 30 || fail "the main window did not appear"
}

# Ends the program the way a user does (Esc) and waits for it to finish.
exit_horalet() {
    ctl post-command 2 || true
    local waited=0
    while kill -0 "$horalet_pid" 2>/dev/null && [ $waited -lt 100 ]; do sleep 0.2; waited=$((waited + 1)); done
    ! kill -0 "$horalet_pid" 2>/dev/null || fail "horalet.exe did not end"
    horalet_pid=
}

main_window_id() { xdotool search --name '^Horalet$' | head -n 1; }

cleanup() {
    [ -n "$horalet_pid" ] && kill "$horalet_pid" 2>/dev/null
    rm -rf "$workdir"
}
trap cleanup EXIT

# A timer set file from lines given as arguments, one section per "---".
crlf_file() { local out=$1; shift; printf '%s\r\n' "$@" >"$out"; }

# The column texts of row N (0-based) as printed by horactl rows: image, then
# the fifteen columns, tab-separated.
row() { ctl rows | sed -n "$(($1 + 1))p" | tr -d '\r'; }
field() { printf '%s' "$1" | cut -f "$2"; }  # field 1 is the image, 2.. the columns
