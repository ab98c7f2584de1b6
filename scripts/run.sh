#!/usr/bin/env bash
# Builds horalet.exe and starts it under Wine in the run folder run/, which
# holds its autosave.ini, its Save folder, the help file and the default
# sound. On the first start there it seeds a small example list. Without a
# display it runs inside a virtual one, saves a screenshot and ends the
# program cleanly (Esc: the list is saved).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$horalet_root"

build_horalet
bin=$horalet_root/build/windows/src
rundir=$horalet_root/run
mkdir -p "$rundir/wave files"
cp "$bin/horalet.exe" "$rundir/"
[ -f "$bin/Horalet.chm" ] && cp "$bin/Horalet.chm" "$rundir/"
cp "$horalet_root/res/wave/reminder.wav" "$rundir/wave files/"
if [ ! -e "$rundir/autosave.ini" ]; then
    say "first start in $rundir: seeding an example list"
    cp "$horalet_root/scripts/example-timers.ini" "$rundir/autosave.ini"
fi
# On a desktop, a prefix of its own: the tests' prefix leaves windows
# unmanaged, which suits only a display without a window manager.
if [ -n "${DISPLAY:-}" ]; then export WINEPREFIX=${WINEPREFIX:-$horalet_root/build/wine-prefix-desktop}; fi
ensure_wine_prefix
cd "$rundir"

if [ -n "${DISPLAY:-}" ]; then
    say "starting Horalet (close it with Esc or File > Exit)"
    exec wine horalet.exe
fi

say "no display: running Horalet in a virtual one"
ctl="$horalet_root/build/windows/tests/tools/horactl.exe"
shot="$rundir/screenshot.png"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -e
    wine horalet.exe >/dev/null 2>&1 &
    wine "$0" wait 30
    # Start the first timer so the picture shows a clock at work.
    wine "$0" select 0 && wine "$0" command 32773
    sleep 4
    import -window root "$1"
    wine "$0" post-command 2   # Esc: ends the program, which saves its list
    wineserver -w
' "$ctl" "$shot"
say "screenshot: $shot"
