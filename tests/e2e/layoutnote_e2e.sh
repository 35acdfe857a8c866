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

lesson_dialog() {
    xdotool search --onlyvisible --name '^Volba lekce$' | awk 'NR == 1'
}

no_lesson_dialog() {
    [[ -z $(lesson_dialog) ]]
}

# Starts the program on lesson 1 of the given layout (1 QWERTZ, 0 QWERTY), prints the height of
# the lesson dialog's inside, and closes both.
dialog_height() {
    printf '[Lekce]\r\nCisloAkt=1\r\nQWERTZ=%s\r\n' "$1" >"$INI"
    start_program
    xdotool key ctrl+l
    wait_for 150 lesson_dialog || fail "the lesson dialog did not open"
    local dialog
    dialog=$(lesson_dialog)
    screenshot "layoutnote-$1"
    xwininfo -id "$dialog" | awk '/^ +Height:/ { print $2 }'
    focus_window "$dialog"
    xdotool key Escape
    wait_for 150 no_lesson_dialog || fail "the lesson dialog did not close"
    focus_window "$WINDOW"
    close_program
}

QWERTZ_HEIGHT=$(dialog_height 1)
QWERTY_HEIGHT=$(dialog_height 0)
if [[ $DESKTOP == QWERTZ ]]; then
    SAME=$QWERTZ_HEIGHT OTHER=$QWERTY_HEIGHT
else
    SAME=$QWERTY_HEIGHT OTHER=$QWERTZ_HEIGHT
fi
[[ $SAME == 353 ]] || fail "for a $DESKTOP lesson on $DESKTOP the dialog is $SAME high"
((OTHER > SAME)) || fail "for a lesson on the other layout the dialog is $OTHER high: no note"

echo "layoutnote_e2e: all checks passed ($DESKTOP)"
