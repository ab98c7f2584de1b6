#!/bin/sh
# Make res/wave/reminder.wav, the sound a finished timer plays by default:
# three soft bell notes rising C6 E6 G6, about 1.5 s, 16-bit PCM mono 22050 Hz.
#
# Needs sox. The result is committed, so a Windows build never runs this.
# Usage: make-chime.sh [output.wav]
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-"$here/../res/wave/reminder.wav"}

if ! command -v sox >/dev/null 2>&1; then
    echo "make-chime.sh: sox is needed (apt-get install sox)" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rate=44100
# -R: same bytes on every run, so a regenerated file shows no spurious diff.
# -D: no dither, which would add random noise and defeat -R.
sx() { sox -R -D "$@"; }
calc() { awk "BEGIN { print $1 }"; }

# One bell note: the fundamental with a quiet octave and a faint twelfth,
# which gives a rounder tone than a bare sine. The log fade makes the level
# fall evenly in decibels, as a struck bell does, and the 12 ms fade in keeps
# the attack from clicking.
note() {  # name frequency delay length
    name=$1 freq=$2 delay=$3 len=$4
    for p in 1 2 3; do
        sx -n -r $rate -c 1 -b 32 "$work/$name-$p.wav" \
            synth "$len" sine "$(calc "$freq * $p")"
    done
    sx -m -v 1.0 "$work/$name-1.wav" -v 0.22 "$work/$name-2.wav" -v 0.06 "$work/$name-3.wav" \
        "$work/$name-mix.wav"
    sx "$work/$name-mix.wav" "$work/$name.wav" \
        fade q 0.012 "$len" "$(calc "$len - 0.02")" fade l 0 "$len" "$(calc "$len - 0.05")" \
        pad "$delay"
}

note c 1046.50 0.00 1.70
note e 1318.51 0.16 1.55
note g 1567.98 0.32 1.40

# Mix, cut to 1.5 s, add a small room so the notes melt together, and fade
# the last 0.3 s so the ringing does not stop abruptly.
sx -m "$work/c.wav" "$work/e.wav" "$work/g.wav" "$work/chord.wav"
mkdir -p "$(dirname "$out")"
sx "$work/chord.wav" -r 22050 -b 16 -c 1 "$out" \
    trim 0 1.5 \
    reverb 35 50 60 100 10 \
    fade t 0 1.5 0.3 \
    gain -n -4

soxi "$out"
