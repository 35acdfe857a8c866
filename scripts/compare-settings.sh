#!/usr/bin/env bash
# Types the same keystrokes into two staged builds of the program, one after the other, under
# the whole-program runs' private Xvfb, and compares the settings files they write at exit
# byte for byte: a change that should not alter what a pupil keeps can be shown to keep it.
# The keys whose values follow the clock (the typing time and the times between keys) are left out of the comparison
# and listed, since two runs can never type at the same pace.
#
# Usage: scripts/compare-settings.sh <staged bin directory before> <staged bin directory after>
set -euo pipefail

BEFORE=$(cd "${1:?usage: $0 <bin before> <bin after>}" && pwd)
AFTER=$(cd "${2:?usage: $0 <bin before> <bin after>}" && pwd)

. "$(dirname "$0")/../tests/e2e/e2e-common.sh" "$BEFORE"

LINE1=$(iconv -f WINDOWS-1250 -t UTF-8 "$WORK/app/KTOSCA.DAT" | tr -d '\r' |
    awk '/^\$LEKCE:01/ { found = 1; next } found == 1 { found = 2; next } found == 2 { print; found = 3 }')
[[ -n $LINE1 ]] || fail "lesson 1 has no first line"

# Two starts: the first types lesson 1's first line with a wrong key and switches the heat map
# on, the second resumes, types a few keys of the next line with a wrong one, and switches the
# keyboard off.
session() {
    start_program
    xdotool key F9
    xdotool key x
    xdotool key BackSpace
    xdotool type --delay 40 -- "$LINE1"
    xdotool key Return
    xdotool key ctrl+m
    close_program
    start_program
    xdotool key F9
    xdotool type --delay 40 -- "${LINE1:0:3}"
    xdotool key s
    xdotool key ctrl+k
    close_program
}

# The keys that follow the clock, blanked in both files.
timeless() {
    tr -d '\r' <"$1" | sed -E 's/^(MsCelkem|MsMem)=.*/\1=/'
}

session
cp "$INI" "$WORK/before.ini"

rm -rf "$WORK/app"
mkdir -p "$WORK/app"
cp -r "$AFTER"/. "$WORK/app/"
rm -f "$WORK/app/klaptos.ini"
session
cp "$INI" "$WORK/after.ini"

if cmp -s "$WORK/before.ini" "$WORK/after.ini"; then
    echo "the settings files are byte-identical ($(wc -c <"$WORK/after.ini") bytes)"
    exit 0
fi
if diff <(timeless "$WORK/before.ini") <(timeless "$WORK/after.ini") >&2; then
    echo "the settings files differ only in keys that follow the clock:"
    diff <(tr -d '\r' <"$WORK/before.ini") <(tr -d '\r' <"$WORK/after.ini") | grep '^[<>]' || true
    exit 0
fi
fail "the settings files differ"
