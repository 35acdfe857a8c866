#!/usr/bin/env bash
# Whole-program run on a virtual X server: the lesson dialog reads the desktop's keyboard layout
# from the X server. Opened for a lesson on the layout the server reports it is the designed
# dialog; opened for a lesson on the other layout it grows by the note that says so.
#
# Usage: layoutnote_e2e.sh <staged bin directory>
# KLAPTOS_SCREENSHOT_DIR: when set, screenshots go there.
set -euo pipefail
. "$(dirname "$0")/e2e-common.sh"

command -v xwininfo >/dev/null || fail "xwininfo is missing"

# The letter order of the server's first layout, as setxkbmap reports it.
DESKTOP=$(setxkbmap -query | awk '/^layout:/ { split($2, l, ",") } /^variant:/ { split($2, v, ",") }
    END { if (v[1] ~ /qwerty/ || l[1] == "us") print "QWERTY"; else if (l[1] == "cz") print "QWERTZ" }')
[[ -n $DESKTOP ]] || fail "unexpected layout: $(setxkbmap -query | tr '\n' ' ')"

# Starts the program on lesson 1 of the given layout (1 QWERTZ, 0 QWERTY); HEIGHT is then the
# height of the lesson dialog's inside. Closes both.
dialog_height() {
    printf '[Lekce]\r\nCisloAkt=1\r\nQWERTZ=%s\r\n' "$1" >"$INI"
    start_program
    send_key "$WINDOW" ctrl+l
    wait_shown TFormLekce
    local dialog=$SHOWN
    wait_active "$dialog"
    screenshot "layoutnote-$1"
    HEIGHT=$(xwininfo -id "$dialog" | awk '/^ +Height:/ { print $2 }')
    send_key "$dialog" Escape
    wait_hidden TFormLekce
    wait_active "$WINDOW"
    close_program
}

dialog_height 1
QWERTZ_HEIGHT=$HEIGHT
dialog_height 0
QWERTY_HEIGHT=$HEIGHT
if [[ $DESKTOP == QWERTZ ]]; then
    SAME=$QWERTZ_HEIGHT OTHER=$QWERTY_HEIGHT
else
    SAME=$QWERTY_HEIGHT OTHER=$QWERTZ_HEIGHT
fi
[[ $SAME == 353 ]] || fail "for a $DESKTOP lesson on $DESKTOP the dialog is $SAME high"
((OTHER > SAME)) || fail "for a lesson on the other layout the dialog is $OTHER high: no note"

echo "layoutnote_e2e: all checks passed ($DESKTOP)"
