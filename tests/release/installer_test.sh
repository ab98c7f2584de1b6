#!/usr/bin/env bash
# The installer as a user runs it (silently here): the program in Program
# Files; a Start menu shortcut that starts Horalet in the user's own folder,
# where its list is kept and its chime and manual are found; no second copy
# over a running Horalet; and an uninstaller that takes the program away and
# leaves the user's timers.
#   CMAKE_COMMAND, BUILD_DIR, INSTALLER  cmake, the build folder, and the
#                                        installer its horalet_installer writes
#   HORALET_BUILT, HORACTL_EXE           the build's horalet.exe and horactl.exe
source "$(dirname "$0")/lib.sh"

win_env() { wine cmd /c echo "%$1%" | tr -d '\r'; }
unix_path() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Horalet'
app_paths_key='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\horalet.exe'

program_win="$(win_env ProgramFiles)\\Horalet"
menu_win="$(win_env APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Horalet"
program=$(unix_path "$program_win")
data=$(unix_path "$(win_env APPDATA)\\Horalet")
menu=$(unix_path "$menu_win")
[ -n "$program" ] && [ -n "$data" ] && [ -n "$menu" ] || fail "Wine did not name the install folders"

# The prefix is the tests' own: an installation left by an earlier run goes.
remove_installation() {
    rm -rf "$program" "$data" "$menu"
    wine reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
    wine reg delete "$app_paths_key" /f >/dev/null 2>&1 || true
}
remove_installation
trap 'cleanup; remove_installation' EXIT

registered() { wine reg query "$uninstall_key" /v UninstallString 2>/dev/null | grep -q 'Uninstall\.exe'; }

echo "-- the installer builds"
"$CMAKE_COMMAND" --build "$BUILD_DIR" --target horalet_installer >"$workdir/build.log" 2>&1 ||
    fail "building the installer failed: $(cat "$workdir/build.log")"

echo "-- a silent install: the program in Program Files, the user's folder filled"
wine "$INSTALLER" /S || fail "the installer failed"
for file in horalet.exe Horalet.chm "wave files/reminder.wav" README.txt LICENSE.txt DSEG-LICENSE.txt Uninstall.exe; do
    [ -f "$program/$file" ] || fail "no $file in $program_win"
done
cmp "$program/horalet.exe" "$HORALET_BUILT" || fail "the installed horalet.exe is not the one built"
for file in Horalet.chm "wave files/reminder.wav"; do
    cmp "$program/$file" "$data/$file" || fail "no copy of $file in the user's folder"
done
[ -f "$menu/Horalet.lnk" ] || fail "no Start menu shortcut"
[ -f "$menu/Uninstall Horalet.lnk" ] || fail "no uninstall shortcut"
registered || fail "no entry in Apps and Features"
wine reg query "$app_paths_key" /ve 2>/dev/null | grep -qF "$program_win\horalet.exe" || fail "no App Paths entry for the Run box"

echo "-- the shortcut starts Horalet in the user's folder, which keeps the list"
printf '[TIMER_0]\r\nDESCRIPTION = Tea\r\nLIMIT = 1\r\nMINUTES = 4\r\n' >"$data/autosave.ini"
launch_horalet wine start "$menu_win\\Horalet.lnk"
# The window is there a moment before it has loaded the list.
for _ in $(seq 20); do ctl rows | grep -q $'\tTea\t' && break; sleep 0.5; done
ctl rows | grep -q $'\tTea\t' || fail "the list of the user's folder was not loaded: $(ctl rows)"

echo "-- no install over a running Horalet"
if wine "$INSTALLER" /S; then fail "the installer ran while Horalet was running"; fi
horalet_window || fail "Horalet ended during the refused install"

exit_horalet
grep -q "^DESCRIPTION = Tea" "$data/autosave.ini" || fail "autosave.ini was not written in the user's folder"
[ ! -e "$program/autosave.ini" ] || fail "Horalet wrote into Program Files"

echo "-- started from another folder, as the Run box does, the installed copy uses the same list"
mkdir -p "$workdir/elsewhere"
launch_horalet bash -c 'cd "$0" && exec wine "$1" 5m "From the Run box"' "$workdir/elsewhere" "$program_win\\horalet.exe"
for _ in $(seq 20); do ctl rows | grep -q $'\tFrom the Run box\t' && break; sleep 0.5; done
ctl rows | grep -q $'\tTea\t' || fail "the user's list was not loaded: $(ctl rows)"
exit_horalet
grep -q "^DESCRIPTION = From the Run box" "$data/autosave.ini" || fail "the timer did not reach the user's list"
[ ! -e "$workdir/elsewhere/autosave.ini" ] || fail "the installed copy kept a list where it was started"

echo "-- installing again keeps the user's list; a box of another start is not a running Horalet"
cp "$data/autosave.ini" "$workdir/list-before"
(cd "$workdir" && wine "$HORALET_BUILT" 100h Tea >/dev/null 2>&1) &
refused_pid=$!
for _ in $(seq 40); do ctl message >/dev/null 2>&1 && break; sleep 0.5; done
ctl message >/dev/null 2>&1 || fail "no box for the refused start"
wine "$INSTALLER" /S || fail "the second install failed"
ctl close message
wait "$refused_pid" || true
cmp "$data/autosave.ini" "$workdir/list-before" || fail "the installer changed autosave.ini"

echo "-- the uninstaller takes the program and shortcuts away and keeps the timers"
mkdir -p "$data/Save" "$data/wave files"
printf '[TIMER_0]\r\nDESCRIPTION = Work\r\n' >"$data/Save/Work.ini"
cp "$program/wave files/reminder.wav" "$data/wave files/mine.wav"
wine "$program_win\\Uninstall.exe" /S || fail "the uninstaller failed"
# It goes on from a copy of itself in the temp folder; the registry entry is
# the last thing it removes.
for _ in $(seq 100); do registered || break; sleep 0.2; done
! registered || fail "the uninstaller left its Apps and Features entry"
! wine reg query "$app_paths_key" >/dev/null 2>&1 || fail "the uninstaller left the App Paths entry"
[ ! -e "$program" ] || fail "left in Program Files: $(ls -R "$program")"
[ ! -e "$menu" ] || fail "the Start menu folder is still there"
cmp "$data/autosave.ini" "$workdir/list-before" || fail "the uninstaller touched autosave.ini"
[ -f "$data/Save/Work.ini" ] || fail "the uninstaller removed a timer set"
[ -f "$data/wave files/mine.wav" ] || fail "the uninstaller removed the user's own sound"
[ ! -e "$data/Horalet.chm" ] && [ ! -e "$data/wave files/reminder.wav" ] || fail "the installer's copies are still in the user's folder"
echo "installer: all checks passed"
