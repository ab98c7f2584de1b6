# Shared steps of the release checks: a fresh work folder, and horalet.exe
# started, seen and ended as a user would. Sourced.
set -euo pipefail

: "${HORACTL_EXE:?path of horactl.exe}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

workdir=$(mktemp -d "${TMPDIR:-/tmp}/horalet-release.XXXXXX")
horalet_pid=

fail() { echo "FAIL: $*" >&2; exit 1; }

ctl() { wine "$HORACTL_EXE" "$@"; }

# Runs a command that starts Horalet, in the background; its output goes to a
# file so that it never holds the test's own output open. Returns once the
# main window is there.
launch_horalet() {
    ("$@" >"$workdir/horalet.log" 2>&1) &
    horalet_pid=$!
    ctl wait 30 || fail "the main window did not appear"
}

horalet_window() { ctl wait 0 >/dev/null 2>&1; }

# Ends the program the way a user does (Esc), which writes autosave.ini while
# its window goes, and waits until the window is gone and the command that
# started it has ended (a shortcut's start returns at once).
exit_horalet() {
    ctl post-command 2 || true
    local waited=0
    while { horalet_window || kill -0 "$horalet_pid" 2>/dev/null; } && [ $waited -lt 60 ]; do
        sleep 0.2
        waited=$((waited + 1))
    done
    ! horalet_window || fail "horalet.exe did not end"
    ! kill -0 "$horalet_pid" 2>/dev/null || fail "the command that started horalet.exe did not end"
    horalet_pid=
}

# Every line of a text file ends in CR LF.
has_crlf_lines() { [ -s "$1" ] && ! grep -q -v $'\r$' "$1"; }

# A program left running by a failed check is ended, so that the next test
# does not meet it as a running instance.
cleanup() {
    if [ -n "$horalet_pid" ]; then
        (exit_horalet) >/dev/null 2>&1 || kill "$horalet_pid" 2>/dev/null || true
    fi
    rm -rf "$workdir"
}
trap cleanup EXIT
