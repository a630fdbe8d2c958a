# Sourced by the scripts: a Wine prefix inside the build tree, quiet Wine, and a display.
# BUILD_ROOT may be set by the caller (helpers use separate build trees).
VANTREL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_ROOT="${BUILD_ROOT:-$VANTREL_ROOT/build}"
export WINEPREFIX="${WINEPREFIX:-$BUILD_ROOT/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64
# "wine" and "wineboot" go through Wine's 64-bit loader on every machine.
case ":$PATH:" in *":$VANTREL_ROOT/scripts/wine-bin:"*) ;; *) export PATH="$VANTREL_ROOT/scripts/wine-bin:$PATH" ;; esac

source "$VANTREL_ROOT/scripts/x86-32.sh"

# The build tree whose Vantrel.exe and Windows tests run here: the 32-bit deliverable where
# the machine executes 32-bit code natively, else its 64-bit twin. A caller may name the
# tree (the emulated 32-bit smoke set runs the scripts against "win32-release").
if [ -z "${VANTREL_MAIN_TREE:-}" ]; then
    if vantrel_can_run_32bit; then VANTREL_MAIN_TREE=win32; else VANTREL_MAIN_TREE=win64; fi
fi
VANTREL_MAIN_BIN="$BUILD_ROOT/$VANTREL_MAIN_TREE/bin"
# Test programs and helpers exist only in the debug tree of the same width.
VANTREL_TEST_BIN="$BUILD_ROOT/${VANTREL_MAIN_TREE%-release}/bin"

# For the logs of scripts that install: which Vantrel.exe the installer they build holds.
vantrel_installer_note() {
    if [ "${VANTREL_MAIN_TREE%-release}" = win32 ]; then
        echo "Installer with the 32-bit Vantrel.exe, as shipped"
    else
        echo "This machine cannot run 32-bit code ($VANTREL_NO_32BIT_REASON): the installer" \
            "is built around the 64-bit twin of Vantrel.exe"
    fi
}

# Starts a virtual X server unless there is a display already (a caller's); only a server
# started here is stopped by vantrel_stop_all.
vantrel_start_display() {
    if [ -z "${DISPLAY:-}" ]; then
        local n=$((90 + RANDOM % 400))
        while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 "${VANTREL_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
        VANTREL_XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    fi
}

# Boots the prefix if needed and keeps its wineserver running. A prefix whose server a
# calling script already keeps (listed in VANTREL_SERVED_PREFIXES) is left to that caller;
# otherwise this script owns the server and vantrel_stop_all ends it.
vantrel_start_wine() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    case ":${VANTREL_SERVED_PREFIXES:-}:" in
        *":$WINEPREFIX:"*) ;;
        *)
            VANTREL_OWN_PREFIX="$WINEPREFIX"
            export VANTREL_SERVED_PREFIXES="${VANTREL_SERVED_PREFIXES:-}:$WINEPREFIX"
            ;;
    esac
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating Wine prefix in $WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
    # A persistent wineserver makes each test program start in a fraction of a second.
    wineserver -p >/dev/null 2>&1 || true
    # Start Wine's background services now, detached from our output: a service started
    # by the first test would hold CTest's output pipe open and CTest would never finish.
    wine wineboot >/dev/null 2>&1 </dev/null || true
}

# Ends what this script started: the wineserver of the prefix it owns (with every Wine
# process of that prefix) and its virtual X server. Call it before removing a prefix's
# folder: wineserver finds a prefix's server through the folder.
vantrel_stop_all() {
    if [ -n "${VANTREL_OWN_PREFIX:-}" ] && [ -d "$VANTREL_OWN_PREFIX" ]; then
        WINEPREFIX="$VANTREL_OWN_PREFIX" wineserver -k >/dev/null 2>&1 || true
        WINEPREFIX="$VANTREL_OWN_PREFIX" timeout 30 wineserver -w >/dev/null 2>&1 || true
    fi
    if [ -n "${VANTREL_XVFB_PID:-}" ]; then
        kill "$VANTREL_XVFB_PID" 2>/dev/null || true
        wait "$VANTREL_XVFB_PID" 2>/dev/null || true
        VANTREL_XVFB_PID=
    fi
}

# Runs the given cleanup when the script ends, also on failure, Ctrl+C or a kill: bash
# runs the EXIT trap when the INT and TERM traps exit.
vantrel_on_exit() {
    trap "$1" EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

# Asks Vantrel's window (the main window or the usage box) to close, as its close box
# does, through the 64-bit helper:
# it starts at once on every machine and reaches a 32-bit program's window as well, where
# taskkill /IM never finds a 32-bit program under emulation (it takes the name from the
# program's memory).
vantrel_close_window() {
    wine "$BUILD_ROOT/win64/bin/e2e_helper.exe" close 10 >/dev/null 2>&1 </dev/null
}

# How much longer than usual the scripts wait for Wine programs: 1 here, more where every
# program start is slow (32-bit code under emulation).
VANTREL_WAIT_SCALE="${VANTREL_WAIT_SCALE:-1}"
vantrel_seconds() { echo $(($1 * VANTREL_WAIT_SCALE)); }

# Waits until a window titled exactly "Vantrel" (the main window or its usage box) shows,
# up to 30 scaled seconds: the program is then running, whatever a start costs here.
vantrel_wait_for_window() {
    local i
    for i in $(seq $(($(vantrel_seconds 30) * 5))); do
        [ -n "$(xdotool search --onlyvisible --name '^Vantrel$' 2>/dev/null)" ] && return 0
        sleep 0.2
    done
    echo "no Vantrel window appeared"
    return 1
}
