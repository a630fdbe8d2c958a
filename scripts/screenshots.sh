#!/usr/bin/env bash
# Takes the README's pictures from the current build: Vantrel.exe runs under Wine's
# virtual desktop on a virtual X server, with default settings, and each picture is
# cropped to the program's window.
#
#   scripts/screenshots.sh            every picture
#   scripts/screenshots.sh main       only the named ones (see the table below)
#   VANTREL_SHOT_DPI=144 scripts/screenshots.sh main
#                                     at another DPI (LogPixels in the pictures' prefix),
#                                     as docs/images/main-144dpi.png
#
# Pictures go to docs/images/<name>.png; logs to $BUILD_ROOT/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh

work="$BUILD_ROOT/screenshots"
# A prefix of its own, so that the pictures never show a developer's settings.
export WINEPREFIX="$work/prefix"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
out="$PWD/docs/images"
dpi="${VANTREL_SHOT_DPI:-}"
desktop_size=1280x800
suffix=""
if [ -n "$dpi" ]; then
    # The window grows with the DPI; so do the desktop and the screen it is shown on.
    desktop_size="$((1280 * dpi / 96))x$((800 * dpi / 96))"
    export VANTREL_SCREEN="$((1280 * dpi / 96))x$((1024 * dpi / 96))x24"
    suffix="-${dpi}dpi"
fi

# name | command-line arguments of Vantrel.exe | action once the window shows (a
# function below, or -). Sample folders are C:\Projects\*.
shots=(
    "main|-|-"
)
# The pictures after a scan and after a clean (main-scanned, main-cleaned) need files of
# set ages and a file held open: scripts/main-cleaned-shot.sh takes them.

# Builds the program so the pictures are of the sources as they are.
cmake --preset $VANTREL_MAIN_TREE -B "$BUILD_ROOT/$VANTREL_MAIN_TREE" >/dev/null
cmake --build "$BUILD_ROOT/$VANTREL_MAIN_TREE" --target Vantrel >"$work.build.log" 2>&1 ||
    { cat "$work.build.log"; exit 1; }
exe="$VANTREL_MAIN_BIN/Vantrel.exe"

mkdir -p "$work" "$out"
cleanup() {
    if [ -n "$dpi" ]; then
        wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
    fi
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${VANTREL_XVFB_PID:-}" ] && kill "$VANTREL_XVFB_PID" 2>/dev/null || true
}
vantrel_on_exit cleanup
# Always a display of our own: a picture must not show anything else on the screen.
unset DISPLAY
vantrel_start_display
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >"$work/wineboot.log" 2>&1
    wineserver -w
fi
if [ -n "$dpi" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >"$work/dpi.log" 2>&1
fi

# Sample projects for the pictures of a scan: GCC output next to sources.
make_samples() {
    local root="$WINEPREFIX/drive_c/Projects"
    rm -rf "$root"
    mkdir -p "$root/hello/src" "$root/hello/build" "$root/tools/lib"
    printf 'int main() { return 0; }\n' >"$root/hello/src/main.c"
    head -c 5120 /dev/zero >"$root/hello/build/main.o"
    printf 'main.o: src/main.c\n' >"$root/hello/build/main.d"
    head -c 12288 /dev/zero >"$root/hello/build/util.o"
    printf 'util.o: src/util.c\n' >"$root/hello/build/util.d"
    printf 'all:\n\tcc -o hello src/main.c\n' >"$root/hello/Makefile"
    head -c 20480 /dev/zero >"$root/tools/lib/parse.o"
    printf 'parse.o: parse.c\n' >"$root/tools/lib/parse.d"
    printf 'void parse(void) {}\n' >"$root/tools/lib/parse.c"
}

screen() { import -window root -crop "$desktop_size+0+0" +repage "$1" 2>/dev/null; }
# Geometry of what differs from the desktop's background, "WxH+X+Y".
content_geometry() { convert "$1" -trim -format '%wx%h%O' info: 2>/dev/null; }

# Waits until a window shows and its picture stops changing (at most 20 s).
wait_settled() {
    local last="" now i
    for i in $(seq 40); do
        sleep 0.5
        screen "$work/poll.png" || continue
        now=$(content_geometry "$work/poll.png")
        # The bare desktop trims to 1x1 or stays the whole desktop.
        case "$now" in 1x1* | "$desktop_size"*) last=""; continue ;; esac
        if [ "$now" = "$last" ] && cmp -s "$work/poll.png" "$work/last.png"; then
            return 0
        fi
        last=$now
        cp "$work/poll.png" "$work/last.png"
    done
    echo "no settled window after 20 s" >&2
    return 1
}

take() { # take <name> <arguments> <action>
    local name=$1 args=$2 action=$3
    echo "--- $name"
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    # Default settings for every picture.
    wine reg delete 'HKCU\Software\Zephrane' /f >"$work/$name.reg.log" 2>&1 || true
    make_samples
    local argv=()
    [ "$args" = - ] || read -r -a argv <<<"$args"
    wine explorer "/desktop=shot,$desktop_size" "$exe" "${argv[@]}" >"$work/$name.log" 2>&1 &
    wait_settled || return 1
    [ "$action" = - ] || "$action" || return 1
    screen "$work/$name.full.png"
    convert "$work/$name.full.png" -trim +repage "$out/$name$suffix.png"
    echo "$out/$name$suffix.png ($(identify -format '%wx%h' "$out/$name$suffix.png"))"
}

wanted=("$@")
failed=0
for shot in "${shots[@]}"; do
    IFS='|' read -r name args action <<<"$shot"
    if [ ${#wanted[@]} -gt 0 ] && [[ ! " ${wanted[*]} " == *" $name "* ]]; then continue; fi
    take "$name" "$args" "$action" || { echo "FAILED: $name"; failed=1; }
done
exit "$failed"
