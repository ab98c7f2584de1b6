#!/usr/bin/env bash
# Builds horalet.exe and the benchmarks and runs them all under Wine in a
# virtual display, printing their figures (README.md, "Figures", tells what
# each one measures). Benchmarks are not tests: scripts/test.sh only builds
# them.
#
#   bash scripts/bench.sh [--only NAME] [--skip-drift] [--drift-minutes M] [--drift-work-ms W]
#                         [--ticks N] [--window-ticks N] [--runs N] [--cpu-seconds S]
#                         [--baseline COMMIT | --revert COMMIT] [--rounds R]
#                         [--build-dir DIR]
#
#   --only NAME        run one benchmark: tick, catch-up, books, cpu, sets, startup, command-line or drift
#   --skip-drift       leave out the drift benchmark (it runs for minutes)
#   --drift-minutes M  how long the drift benchmark counts ticks (default 12)
#   --drift-work-ms W  busy time in each of its ticks (default 0)
#   --ticks N          ticks of the tick alone (default 10000)
#   --window-ticks N   ticks of the main window's work and of each part (1000)
#   --runs N           starts of horalet.exe per case (default 10)
#   --cpu-seconds S    how long the cpu benchmark watches each run (default 40)
#   --baseline COMMIT  also build this tree's tick benchmark and horalet.exe against the
#                      program as it was at COMMIT, and run it first
#   --revert COMMIT    the same, against this tree with the changes COMMIT
#                      made to the program undone; FIRST..LAST undoes the
#                      changes of the commits after FIRST up to LAST
#   --rounds R         run the tick and cpu benchmarks R times (each time after the
#                      baseline's, when there is one), so that load from
#                      elsewhere on the machine falls on both sides alike,
#                      and summarise the rounds' medians
#   --build-dir DIR    the Windows build folder (default build/windows)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$horalet_root"

native_dir=$horalet_root/build/native-release
cpu_seconds=40
only= skip_drift=0 drift_minutes=12 drift_work_ms=0 ticks=10000 window_ticks=1000 runs=10 baseline= revert= rounds=1 build_dir=$horalet_root/build/windows
while [ $# -gt 0 ]; do
    case $1 in
        --only) only=$2; shift ;;
        --skip-drift) skip_drift=1 ;;
        --drift-minutes) drift_minutes=$2; shift ;;
        --drift-work-ms) drift_work_ms=$2; shift ;;
        --ticks) ticks=$2; shift ;;
        --window-ticks) window_ticks=$2; shift ;;
        --runs) runs=$2; shift ;;
        --cpu-seconds) cpu_seconds=$2; shift ;;
        --baseline) baseline=$2; shift ;;
        --revert) revert=$2; baseline="without $2"; shift ;;
        --rounds) rounds=$2; shift ;;
        --build-dir) build_dir=$(realpath -m "$2"); shift ;;
        *) echo "unknown option: $1 (see the head of $0)" >&2; exit 2 ;;
    esac
    shift
done

case $only in
    '' | tick | catch-up | books | cpu | sets | startup | command-line | drift) ;;
    *) echo "--only takes tick, catch-up, books, cpu, sets, startup, command-line or drift, not '$only'" >&2; exit 2 ;;
esac
benches=(tick_bench timer_sets_bench startup_bench command_line_bench tick_drift_bench)

# Configures (once) and builds the program and the benchmarks in `dir` from
# the sources in `tree`.
build_benchmarks() {
    local tree=$1 dir=$2; shift 2
    [ -f "$dir/CMakeCache.txt" ] || cmake -S "$tree" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$tree/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$dir" -j"$(nproc)" --target "$@" >/dev/null
}

# The baseline's sources, with this tree's benchmarks in place of its own so
# both sides run the same measurement: the program at a commit, or this tree
# as it stands (uncommitted files too) with one commit's changes to the
# program undone, which isolates that commit from everything around it.
build_baseline() {
    local tree=$build_dir-baseline/source
    rm -rf "$tree"
    mkdir -p "$tree"
    if [ -n "$revert" ]; then
        git -C "$horalet_root" ls-files -z --cached --others --exclude-standard |
            (cd "$horalet_root" && while IFS= read -r -d '' file; do
                [ -e "$file" ] && cp --parents "$file" "$tree"
            done)
        local first="$revert^" last=$revert
        if [[ $revert == *..* ]]; then first=${revert%%..*}; last=${revert##*..}; fi
        git -C "$horalet_root" diff "$first" "$last" -- src res | patch -s -R -p1 -d "$tree"
    else
        # Extracted as new files: the build folder outlives the sources, and
        # make would take objects newer than a commit's dates for current.
        git -C "$horalet_root" archive "$baseline" | tar -x -m -C "$tree"
        rm -rf "$tree/bench"
        cp -r "$horalet_root/bench" "$tree/bench"
    fi
    rm -f "$build_dir-baseline/build/CMakeCache.txt"
    build_benchmarks "$tree" "$build_dir-baseline/build" tick_bench horalet
}

# Prints the command, then runs it.
run_bench() {
    printf '\n$ %s\n' "$*"
    "$@"
}

# Runs one side's tick benchmark and keeps its lines, marked with the side,
# for the summary.
run_tick_bench() {
    local side=$1 exe=$2 out
    out=$(mktemp)
    run_bench wine "$exe" --ticks "$ticks" --window-ticks "$window_ticks" | tee "$out"
    sed "s/^/$side\t/" "$out" >>"$tick_log"
    rm -f "$out"
}

# Per measured line, the median of the rounds' medians on each side.
summarise_tick_rounds() {
    printf '\n'
    say "tick benchmark: median of the $rounds rounds' medians, in microseconds"
    awk -F'\t' -v baseline="$baseline" '
        function middle(list,   a, n, i, j, t) {
            n = split(list, a, " ")
            for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] + 0 > a[j] + 0; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
            return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
        }
        match($2, / median +[0-9.]+ us/) {
            label = substr($2, 1, RSTART - 1); sub(/ +$/, "", label)
            value = substr($2, RSTART, RLENGTH); gsub(/[^0-9.]/, "", value)
            if (!(label in seen)) { seen[label] = 1; order[++count] = label }
            values[$1, label] = values[$1, label] " " value
        }
        END {
            if (baseline != "") printf "%-52s %16s %12s %8s\n", "", substr(baseline, 1, 16), "this tree", "change"
            for (k = 1; k <= count; k++) {
                label = order[k]; now = middle(values["current", label])
                if (baseline == "") { printf "%-52s %12.1f\n", label, now; continue }
                before = middle(values["baseline", label])
                printf "%-52s %16.1f %12.1f %+7.1f %%\n", label, before, now, (before > 0 ? 100 * (now - before) / before : 0)
            }
        }' "$tick_log"
}

bench_tick() {
    tick_log=$(mktemp)
    local round
    for ((round = 1; round <= rounds; round++)); do
        if [ -n "$baseline" ]; then
            say "round $round: tick benchmark, baseline: $baseline"
            run_tick_bench baseline "$build_dir-baseline/build/bench/tick_bench.exe"
        fi
        say "round $round: tick benchmark, this tree"
        run_tick_bench current "$build_dir/bench/tick_bench.exe"
    done
    summarise_tick_rounds
    rm -f "$tick_log"
}

# A week caught up in memory by a native Release build, then on the real
# main window under Wine.
bench_catch_up() {
    run_bench "$native_dir/bench/catch_up_bench"
    run_bench wine "$build_dir/bench/tick_bench.exe" --only-catch-up
}

# An autosave.ini of `count` limited timers of 99 hours, which none reaches
# while it is watched.
write_timer_list() {
    local count=$1 file=$2 i
    for ((i = 0; i < count; i++)); do
        printf '\r\n[TIMER_%d]\r\nDESCRIPTION = Timer %d\r\nHOURS = 99\r\nMINUTES = 0\r\nSECONDS = 0\r\nACTION_TYPE = 0\r\nFILE = \r\nFLAGS = 0\r\nPARAMETER = \r\nRUN_TIMER = 0\r\nSTATE = 1\r\nLIMIT = 1\r\nCOAST_INT = 2\r\nCOAST_FRAC = 5\r\nVALUE = 0\r\nUNIT = minute\r\n' "$i" "$i"
    done >"$file"
}

# User and system CPU time of a Linux process so far, in milliseconds.
cpu_ms() { awk -v tick="$(getconf CLK_TCK)" '{ print ($14 + $15) * 1000 / tick }' "/proc/$1/stat"; }

# Starts `exe` in a fresh folder with `count` timers, starts them all, and
# prints the CPU time its process used over cpu_seconds, window shown, read
# from outside (/proc of the process Wine runs it in); beside it that of the
# Wine server, which does part of the program's work (every message to
# another thread, every invalidated rectangle) in a process of its own, and
# that of Wine's explorer, whose notification area draws every new tray tip
# and icon.
measure_cpu() {
    local side=$1 exe=$2 count=$3 dir pid server tray ctl="$build_dir/tests/tools/horactl.exe"
    local before after server_before server_after tray_before tray_after
    dir=$(mktemp -d "${TMPDIR:-/tmp}/horalet-cpu.XXXXXX")
    write_timer_list "$count" "$dir/autosave.ini"
    (cd "$dir" && exec wine "$exe" >/dev/null 2>&1) &
    wine "$ctl" wait 30 >/dev/null && wine "$ctl" start-all >/dev/null
    sleep 3
    for pid in $(pgrep -x horalet.exe); do [ "$(readlink "/proc/$pid/cwd")" = "$dir" ] && break; done
    server=$(pgrep -x 'wineserver(64)?' | head -1)
    tray=$(pgrep -x explorer.exe | head -1)
    [ -n "$tray" ] || { echo "no explorer.exe: the notification area's work is not counted" >&2; return 1; }
    before=$(cpu_ms "$pid") server_before=$(cpu_ms "$server") tray_before=$(cpu_ms "$tray")
    sleep "$cpu_seconds"
    after=$(cpu_ms "$pid") server_after=$(cpu_ms "$server") tray_after=$(cpu_ms "$tray")
    wine "$ctl" post-command 2 >/dev/null
    while kill -0 "$pid" 2>/dev/null; do sleep 0.2; done
    rm -rf "$dir"
    printf '%s\t%d\t%d\t%d\t%d\n' "$side" "$count" "$((after - before))" "$((server_after - server_before))" \
        "$((tray_after - tray_before))" | tee -a "$cpu_log"
}

# The program's CPU time over cpu_seconds with 5 and with 100 running
# timers, each side in turn within every round.
bench_cpu() {
    cpu_log=$(mktemp)
    say "CPU time over $cpu_seconds s, window shown: side, running timers, horalet.exe ms, wineserver ms, explorer.exe ms"
    local round count
    for ((round = 1; round <= rounds; round++)); do
        for count in 5 100; do
            [ -z "$baseline" ] || measure_cpu baseline "$build_dir-baseline/build/src/horalet.exe" "$count"
            measure_cpu current "$build_dir/src/horalet.exe" "$count"
        done
    done
    awk -F'\t' '{ k = $1 " " $2; program[k] += $3; server[k] += $4; tray[k] += $5; n[k]++ }
        END { for (k in n) printf "mean of %d rounds, %s timers: horalet.exe %.0f ms, wineserver %.0f ms, explorer.exe %.0f ms, all three %.0f ms\n",
                                   n[k], k, program[k] / n[k], server[k] / n[k], tray[k] / n[k],
                                   (program[k] + server[k] + tray[k]) / n[k] }' "$cpu_log" | sort
    rm -f "$cpu_log"
}

# A year of books read from month files and reported on, natively.
bench_books() { run_bench "$native_dir/bench/books_report_bench"; }

bench_sets() { run_bench wine "$build_dir/bench/timer_sets_bench.exe"; }

bench_startup() {
    run_bench wine "$build_dir/bench/startup_bench.exe" "$(winepath -w "$build_dir/src/horalet.exe")" --runs "$runs"
}

bench_command_line() {
    run_bench wine "$build_dir/bench/command_line_bench.exe" "$(winepath -w "$build_dir/src/horalet.exe")" --runs "$runs"
}

bench_drift() {
    run_bench wine "$build_dir/bench/tick_drift_bench.exe" --minutes "$drift_minutes" --work-ms "$drift_work_ms"
}

# The benchmarks chosen by --only and --skip-drift, in the order they run.
chosen_benchmarks() {
    if [ -n "$only" ]; then echo "$only"; return; fi
    echo tick catch_up books cpu sets startup command_line
    [ "$skip_drift" -eq 1 ] || echo drift
}

run_all() {
    say "machine: $(nproc) cores, $(wine --version), Xvfb; load average $(cut -d' ' -f1-3 /proc/loadavg)"
    local name
    for name in $(chosen_benchmarks); do "bench_${name//-/_}"; done
    say "load average at the end $(cut -d' ' -f1-3 /proc/loadavg)"
}

if [ "${HORALET_BENCH_INSIDE:-}" = 1 ]; then
    start_wine_session
    status=0
    run_all || status=$?
    stop_wine_session
    exit $status
fi

ensure_toolchain patch:patch
say "building horalet.exe and the benchmarks in $build_dir"
build_benchmarks "$horalet_root" "$build_dir" horalet horactl "${benches[@]}"
say "building the native benchmarks in $native_dir"
[ -f "$native_dir/CMakeCache.txt" ] || cmake -S "$horalet_root" -B "$native_dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$native_dir" -j"$(nproc)" --target catch_up_bench books_report_bench >/dev/null
if [ -n "$baseline" ]; then
    say "building the tick benchmark, baseline: $baseline"
    build_baseline
fi
ensure_wine_prefix
export HORALET_BENCH_INSIDE=1
args=(--only "$only" --cpu-seconds "$cpu_seconds" --drift-minutes "$drift_minutes" --drift-work-ms "$drift_work_ms" --ticks "$ticks" --window-ticks "$window_ticks"
      --runs "$runs" --rounds "$rounds" --build-dir "$build_dir")
[ "$skip_drift" -eq 1 ] && args+=(--skip-drift)
if [ -n "$revert" ]; then args+=(--revert "$revert"); elif [ -n "$baseline" ]; then args+=(--baseline "$baseline"); fi
xvfb-run -a -s "-screen 0 1024x768x24" bash "${BASH_SOURCE[0]}" "${args[@]}"
