#!/usr/bin/env bash
# Horalet at 100, 125, 150 and 200 % display scale: each scale in a Wine
# prefix of its own whose one system DPI (LogPixels) is 96, 120, 144 or 192,
# in a virtual screen as large as a 1024 x 768 one at that scale, checked by
# display_scale_checks.sh. Here the clock's digits must fill the same share
# of their box at every scale as at 100 %, within 15 %.
set -euo pipefail
e2e=$(cd "$(dirname "$0")" && pwd)
source "$e2e/../../scripts/lib.sh"

results=$(mktemp)
trap 'rm -f "$results"' EXIT
# HORALET_DISPLAY_SCALES picks some of them, 96 first.
for dpi in ${HORALET_DISPLAY_SCALES:-96 120 144 192}; do
    say "$dpi DPI"
    at_display_scale "$dpi" bash "$e2e/display_scale_checks.sh" "$dpi" "$results" || {
        echo "FAIL: at $dpi DPI" >&2
        exit 1
    }
done

echo "-- the clock's digits fill as much of their box at every scale as at 100 %"
cat "$results"
awk 'NR == FNR { if ($1 == 96) { h = $2; w = $3 }; next }
     !h { print "FAIL: no figures at 96 DPI"; bad = 1; exit }
     $2 / h < 0.85 || $2 / h > 1.15 || $3 / w < 0.85 || $3 / w > 1.15 {
         printf "FAIL: at %d DPI the digits fill %.3f of the height and %.3f of the width of their box, at 96 DPI %.3f and %.3f\n",
                $1, $2, $3, h, w
         bad = 1
     }
     END { exit bad }' "$results" "$results"
echo "display scales: all checks passed"
