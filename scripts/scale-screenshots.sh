#!/usr/bin/env bash
# Makes docs/screenshot-scales.png for README.md: the main window at 100, 150
# and 200 % display scale side by side. Each is the real program with the
# example list and its first timer running, in a Wine prefix whose system DPI
# is 96, 144 or 192 and a virtual screen of that scale.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$horalet_root"

build_horalet
exe=$horalet_root/build/windows/src/horalet.exe
ctl=$horalet_root/build/windows/tests/tools/horactl.exe
pictures=$(mktemp -d)
trap 'rm -rf "$pictures"' EXIT

# Runs inside the scale's screen and Wine session: picture EXE CTL LIST OUT
picture_main_window='
    set -euo pipefail
    exe=$1 ctl=$2 list=$3 out=$4
    run=$(mktemp -d)
    cp "$list" "$run/autosave.ini"
    cd "$run"
    wine "$exe" >/dev/null 2>&1 &
    program=$!
    wine "$ctl" wait 30
    wine "$ctl" select 0
    wine "$ctl" command 32773   # Play: the clock counts down
    sleep 4
    read -r x y w h <<<"$(wine "$ctl" window-rect main | tr -d "\r")"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out"
    wine "$ctl" post-command 2  # Esc ends it
    wait "$program" || true
    cd / && rm -rf "$run"'

for dpi in 96 144 192; do
    say "the main window at $dpi DPI"
    at_display_scale "$dpi" bash -c "$picture_main_window" picture "$exe" "$ctl" \
        "$horalet_root/scripts/example-timers.ini" "$pictures/$dpi.png"
done
convert "$pictures/96.png" "$pictures/144.png" "$pictures/192.png" -bordercolor white -border 12 \
    -background white -gravity north +append +repage "$horalet_root/docs/screenshot-scales.png"
say "docs/screenshot-scales.png"
