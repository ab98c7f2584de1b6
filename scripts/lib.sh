# Shared helpers of the project's scripts: sourced, not run.

horalet_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

say() { printf '== %s\n' "$*"; }

# Installs the Debian packages the build, the tests and the run need, but only
# when something is missing. Tools only one command needs are named by it, as
# COMMAND:PACKAGE arguments.
ensure_toolchain() {
    local need=() extra
    command -v cmake >/dev/null || need+=(cmake)
    command -v g++ >/dev/null || need+=(g++)
    command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev)
    command -v wine >/dev/null || need+=(wine wine64)
    command -v Xvfb >/dev/null || need+=(xvfb xauth)
    command -v xvfb-run >/dev/null || need+=(xvfb)
    command -v xdotool >/dev/null || need+=(xdotool)
    [ -x /usr/bin/import ] || need+=(imagemagick)
    [ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
    command -v chmcmd >/dev/null || need+=(fp-utils)
    # The fuzzers: clang and the compiler runtime of its own version, which
    # holds libFuzzer.
    if ! command -v clang++ >/dev/null; then
        need+=(clang libclang-rt-dev)
    elif [ ! -f "$(clang++ -print-file-name="libclang_rt.fuzzer-$(uname -m).a")" ]; then
        need+=("libclang-rt-$(clang++ -dumpversion | cut -d. -f1)-dev")
    fi
    command -v unzip >/dev/null || need+=(unzip)
    for extra in "$@"; do command -v "${extra%%:*}" >/dev/null || need+=("${extra#*:}"); done
    if [ ${#need[@]} -gt 0 ]; then
        say "installing: ${need[*]}"
        if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
        $SUDO apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
    fi
}

# What a script that runs the program needs first: the tools, then a quiet
# build of horalet.exe and the tools that drive it.
build_horalet() {
    ensure_toolchain
    say "building horalet.exe"
    build_preset windows >/dev/null
}

# Configures and builds one of the CMake presets. Configuring every time is
# quick, and it finds a tool installed since the last time (the run command
# builds before the tests install nsis; a cache would keep it "not found").
build_preset() {
    local preset=$1 dir=$horalet_root/build/$1
    cmake --preset "$preset" -S "$horalet_root" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

# A Wine prefix made once, completely, before anything runs in it: a prefix
# that two programs start creating at the same time comes out broken. Given a
# DPI, a prefix of its own whose one system DPI (LogPixels) is that: 96 is
# a display scale of 100 %, 120 of 125 %, 144 of 150 % and 192 of 200 %.
ensure_wine_prefix() {
    local dpi=${1:-}
    if [ -n "$dpi" ]; then
        export WINEPREFIX=$horalet_root/build/wine-prefix-dpi$dpi
    else
        export WINEPREFIX=${WINEPREFIX:-$horalet_root/build/wine-prefix}
    fi
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/.horalet-ready" ]; then
        say "creating the Wine prefix $WINEPREFIX"
        rm -rf "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        if [ -n "$dpi" ]; then
            wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
        fi
        wineserver -w
        touch "$WINEPREFIX/.horalet-ready"
    fi
}

# Runs a command at a display scale: in the Wine prefix of that DPI, inside a
# virtual screen of its own as large as a 1024 x 768 one at that scale, with
# a Wine session of its own: at_display_scale DPI COMMAND...
at_display_scale() {
    local dpi=$1; shift
    ensure_wine_prefix "$dpi"
    xvfb-run -a -s "-screen 0 $((1024 * dpi / 96))x$((768 * dpi / 96))x24" bash -c '
        source "$0"
        trap stop_wine_session EXIT
        start_wine_session
        "$@"' "$horalet_root/scripts/lib.sh" "$@"
}

# Keeps one Wine server, with its helper processes, running for a whole test
# run: each program then starts in about a second instead of several. The
# helpers are started here, outside CTest, because a helper that a test
# program starts would hold the test's output open and CTest would wait for
# it until the time-out.
start_wine_session() {
    ensure_wine_prefix
    wineserver -p
    leave_windows_unmanaged
    wine cmd /c exit >/dev/null 2>&1 </dev/null
}

# There is no window manager on the virtual display. Wine waits up to two
# seconds for one to confirm every window it hides: each closed dialog of the
# program, and the notification area's own window in explorer.exe when the
# program removes its icon, which held every exit for two seconds. Unmanaged
# windows close at once, and Wine moves the X focus with the active window.
# explorer.exe reads the setting when it starts, and setting it starts
# explorer.exe, so the server is started once more afterwards.
leave_windows_unmanaged() {
    local app
    for app in horalet.exe explorer.exe; do
        wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$app\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1 </dev/null
    done
    wineserver -k
    wineserver -w
    wineserver -p
}

stop_wine_session() { wineserver -k 2>/dev/null || true; }
