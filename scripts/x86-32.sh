# Sourced: whether this machine runs 32-bit x86 code, natively or under user-mode
# emulation, and how to switch that emulation on and off for a test run.
#
# Some kernels run 64-bit code only. There, Debian's qemu-user-static can still run the
# 32-bit loader when an "i386" entry in binfmt_misc hands 32-bit ELF files to
# qemu-i386-static; Wine's 32-bit side then starts, slowly. A test run sets that up
# where it can; VANTREL_NO_EMULATION=1 keeps it off.

VANTREL_BINFMT_DIR=/proc/sys/fs/binfmt_misc
VANTREL_QEMU_I386=/usr/bin/qemu-i386-static
# The name, magic and mask of qemu's own binfmt entry for i386 ELF executables; "F" opens
# the interpreter at registration, so it also works inside other mount namespaces.
VANTREL_BINFMT_NAME=qemu-i386
VANTREL_BINFMT_LINE=":$VANTREL_BINFMT_NAME:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$VANTREL_QEMU_I386:F"

# The enabled binfmt_misc entry that hands i386 programs to qemu, if any (its file).
vantrel_i386_emulation_entry() {
    local entry
    for entry in "$VANTREL_BINFMT_DIR"/*; do
        [ -f "$entry" ] || continue
        case "${entry##*/}" in register | status) continue ;; esac
        grep -qx enabled "$entry" 2>/dev/null || continue
        grep -q '^interpreter .*qemu-i386' "$entry" 2>/dev/null || continue
        echo "$entry"
        return 0
    done
    return 1
}

# Whether the 32-bit loader starts at all; VANTREL_NO_32BIT_REASON says why not.
vantrel_loader32_starts() {
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

# Native 32-bit execution: the loader starts and no emulation entry stands in for the CPU.
vantrel_can_run_32bit() {
    if [ -f /proc/sys/fs/binfmt_misc/status ] && vantrel_i386_emulation_entry >/dev/null; then
        VANTREL_NO_32BIT_REASON="32-bit code runs here only under emulation ($(vantrel_i386_emulation_entry))"
        return 1
    fi
    vantrel_loader32_starts
}

# Whether this run may set up the emulated 32-bit smoke set.
vantrel_emulation_wanted() {
    [ "${VANTREL_NO_EMULATION:-0}" != 1 ]
}

# Sets up the emulation where the machine cannot run 32-bit code natively: mounts
# binfmt_misc if needed and registers the i386 entry if none is there. Sets
# VANTREL_EMULATION_ADDED=1 when it registered the entry itself (vantrel_emulation_end
# removes it again). Fails, with VANTREL_NO_EMULATION_REASON, where that cannot be done.
vantrel_emulation_begin() {
    VANTREL_EMULATION_ADDED=0
    if ! vantrel_emulation_wanted; then
        VANTREL_NO_EMULATION_REASON="VANTREL_NO_EMULATION=1 turned the emulated smoke set off"
        return 1
    fi
    if [ ! -x "$VANTREL_QEMU_I386" ]; then
        VANTREL_NO_EMULATION_REASON="$VANTREL_QEMU_I386 (package qemu-user-static) is not installed"
        return 1
    fi
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo -n"
    if [ ! -f "$VANTREL_BINFMT_DIR/status" ] &&
        ! $sudo mount -t binfmt_misc binfmt_misc "$VANTREL_BINFMT_DIR" 2>/dev/null; then
        VANTREL_NO_EMULATION_REASON="binfmt_misc could not be mounted on $VANTREL_BINFMT_DIR"
        return 1
    fi
    if ! vantrel_i386_emulation_entry >/dev/null; then
        if ! printf '%s' "$VANTREL_BINFMT_LINE" | $sudo tee "$VANTREL_BINFMT_DIR/register" \
            >/dev/null 2>&1; then
            VANTREL_NO_EMULATION_REASON="the i386 entry could not be registered in binfmt_misc"
            return 1
        fi
        VANTREL_EMULATION_ADDED=1
    fi
    if ! vantrel_loader32_starts; then
        VANTREL_NO_EMULATION_REASON="$VANTREL_NO_32BIT_REASON, even under emulation"
        vantrel_emulation_end
        return 1
    fi
    return 0
}

# Removes the i386 entry if vantrel_emulation_begin registered it: with it in place, every
# fresh Wine prefix also boots its 32-bit side under emulation, which costs minutes.
vantrel_emulation_end() {
    [ "${VANTREL_EMULATION_ADDED:-0}" = 1 ] || return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo -n"
    echo -1 | $sudo tee "$VANTREL_BINFMT_DIR/$VANTREL_BINFMT_NAME" >/dev/null 2>&1 || true
    VANTREL_EMULATION_ADDED=0
}
