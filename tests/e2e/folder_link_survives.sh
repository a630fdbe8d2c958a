#!/usr/bin/env bash
# Builds a tree with Unix symlinks to a folder outside it (what Wine lists as folder links),
# runs the engine's link tests on it in every mode, and checks that the target survived.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
exe="$VANTREL_TEST_BIN/win_tests.exe"
[ -x "$exe" ] || { echo "missing $exe"; exit 1; }
vantrel_start_wine

work=$(mktemp -d "$BUILD_ROOT/link-tree.XXXXXX")
trash="${XDG_DATA_HOME:-$HOME/.local/share}/Trash"
cleanup() {
    # Items the tests sent to the Recycle Bin (Wine's is the XDG trash), then the tree;
    # rm does not follow the links.
    for info in "$trash"/info/*.trashinfo; do
        [ -f "$info" ] || continue
        if grep -q "^Path=$work/" "$info"; then
            rm -rf "$trash/files/$(basename "$info" .trashinfo)" "$info"
        fi
    done
    rm -rf "$work"
    vantrel_stop_all
}
vantrel_on_exit cleanup
mkdir -p "$work/outside/sub" "$work/outside/empty" "$work/chosen/holder"
echo keep >"$work/outside/keep.obj"
echo keep >"$work/outside/sub/keep.txt"
ln -s "$work/outside" "$work/chosen/link.obj"
ln -s ../../outside "$work/chosen/holder/inner"
before=$(cd "$work/outside" && find . | sort && cat keep.obj sub/keep.txt)

VANTREL_LINK_TREE="Z:${work//\//\\}" wine "$exe" --gtest_filter='FolderLinkTest.*' \
    >"$work/log" 2>&1 </dev/null || { cat "$work/log"; exit 1; }
cat "$work/log"
grep -q '\[  PASSED  \] 4 tests' "$work/log" || { echo "link tests did not all run"; exit 1; }

after=$(cd "$work/outside" && find . | sort && cat keep.obj sub/keep.txt)
[ "$before" = "$after" ] || { echo "link target changed"; diff <(echo "$before") <(echo "$after"); exit 1; }
[ -L "$work/chosen/link.obj" ] && [ -L "$work/chosen/holder/inner" ] || { echo "link removed"; exit 1; }
echo "folder link target intact"
