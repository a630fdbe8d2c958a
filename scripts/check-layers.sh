#!/usr/bin/env bash
# Fails when an #include of the product code points up or sideways between the layers
# (see "Layout" in README.md), or when portable code includes anything but the standard
# library. Prints one line per offending include. Usage: check-layers.sh [source root]
set -uo pipefail
cd "${1:-$(dirname "$0")/..}" || exit 2

# The folders each layer may include, its own among them. Longer prefixes first.
layers=(ui/model ui/controls ui/dialogs ui/main ui/app engine config win32 shellext resources)
declare -A allowed=(
    [engine]="engine"
    [config]="config engine"
    [win32]="win32 config engine"
    [ui/model]="ui/model config engine resources"
    [ui/controls]="ui/controls ui/model win32 config engine resources"
    [ui/dialogs]="ui/dialogs ui/controls ui/model win32 config engine resources"
    [ui/main]="ui/main ui/dialogs ui/controls ui/model win32 config engine resources"
    [ui/app]="ui/app ui/main ui/dialogs ui/controls ui/model win32 config engine resources"
    [shellext]="shellext win32 config engine resources"
)
# Portable layers: the C++ standard library only (no <windows.h>, <shlobj.h>, ...).
portable=" engine config ui/model "
standard=" algorithm any array atomic bit bitset cassert cctype cerrno cfloat charconv chrono
    cinttypes climits clocale cmath compare concepts condition_variable cstdarg cstddef cstdint
    cstdio cstdlib cstring ctime cwchar cwctype deque exception filesystem format forward_list
    functional initializer_list iomanip ios iosfwd iostream istream iterator limits list locale
    map memory mutex new numeric optional ostream queue random ranges ratio regex set
    shared_mutex source_location span sstream stack stdexcept stop_token streambuf string
    string_view system_error thread tuple type_traits typeindex typeinfo unordered_map
    unordered_set utility variant vector version "
standard=" $(echo $standard) "

layer_of() {  # path -> its layer, or nothing
    local layer
    for layer in "${layers[@]}"; do
        [[ $1 == "$layer"/* ]] && { echo "$layer"; return; }
    done
}

bad=0
while IFS= read -r file; do
    from=$(layer_of "$file")
    [ -n "$from" ] && [ "$from" != resources ] || continue
    while IFS=: read -r line text; do
        if [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
            target=${BASH_REMATCH[1]}
            to=$(layer_of "$target")
            if [ -z "$to" ] || [ ! -e "$target" ]; then
                echo "$file:$line: includes \"$target\", which is not a path from the source root"
                bad=1
            elif [[ " ${allowed[$from]} " != *" $to "* ]]; then
                echo "$file:$line: $from may not include $to (\"$target\")"
                bad=1
            fi
        elif [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
            header=${BASH_REMATCH[1]}
            if [[ $portable == *" $from "* && $standard != *" $header "* ]]; then
                echo "$file:$line: portable $from includes <$header>"
                bad=1
            fi
        fi
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include' "$file")
done < <(find engine config win32 ui shellext -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

if [ "$bad" -ne 0 ]; then
    echo "Layer check failed: includes must point down (README.md, \"Layout\")."
    exit 1
fi
echo "Layer check passed."
