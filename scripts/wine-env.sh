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

# Whether this machine executes 32-bit x86 code, found out by running the 32-bit loader
# (some kernels run 64-bit code only). VANTREL_NO_32BIT_REASON says why not.
vantrel_can_run_32bit() {
    local out
    if [ ! -x /usr/lib/wine/wine ]; then
        VANTREL_NO_32BIT_REASON="Wine's 32-bit loader (/usr/lib/wine/wine, package wine32) is not installed"
        return 1
    fi
    if ! out=$(/lib/ld-linux.so.2 --version 2>&1); then
        VANTREL_NO_32BIT_REASON="/lib/ld-linux.so.2 --version: ${out##*: }"
        return 1
    fi
    return 0
}

# The build tree whose Vantrel.exe and Windows tests run here: the 32-bit deliverable where
# the machine can execute it, else its 64-bit twin.
if vantrel_can_run_32bit; then VANTREL_MAIN_TREE=win32; else VANTREL_MAIN_TREE=win64; fi
VANTREL_MAIN_BIN="$BUILD_ROOT/$VANTREL_MAIN_TREE/bin"

# For the logs of scripts that install: which Vantrel.exe the installer they build holds.
vantrel_installer_note() {
    if [ "$VANTREL_MAIN_TREE" = win32 ]; then
        echo "Installer with the 32-bit Vantrel.exe, as shipped"
    else
        echo "This machine cannot run 32-bit code ($VANTREL_NO_32BIT_REASON): the installer" \
            "is built around the 64-bit twin of Vantrel.exe"
    fi
}

vantrel_start_display() {
    if [ -z "${DISPLAY:-}" ]; then
        local n=$((90 + RANDOM % 400))
        while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        VANTREL_XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    fi
}

vantrel_start_wine() {
    mkdir -p "$(dirname "$WINEPREFIX")"
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

vantrel_stop_all() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${VANTREL_XVFB_PID:-}" ] && kill "$VANTREL_XVFB_PID" 2>/dev/null || true
}
