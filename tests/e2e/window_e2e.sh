#!/usr/bin/env bash
# Whole-program runs under openbox about the main window's place: ten restarts leave it where
# it was, a maximized close keeps the restored bounds for the next start, the font dialog's
# frame lies below the typing line, and a window or a display lost without a close still ends
# the program with its settings written.
#
# Usage: window_e2e.sh <staged bin directory>
# KLAPTOS_SCREENSHOT_DIR: when set, screenshots go there.
set -euo pipefail
. "$(dirname "$0")/e2e-common.sh"

for tool in wmctrl xwininfo; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done

# The inside of the window on the screen: left,top,width,height.
inside() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /^ +Width:/ { w = $2 } /^ +Height:/ { h = $2 } END { print x "," y "," w "," h }'
}

saved_bounds() {
    echo "$(ini_value Left),$(ini_value Top),$(ini_value Width),$(ini_value Height)"
}

maximized() {
    xprop -id "$WINDOW" _NET_WM_STATE | grep _NET_WM_STATE_MAXIMIZED_HORZ >/dev/null
}

# The window's inside is at $1 (left,top,width,height).
inside_at() {
    INSIDE=$(inside "$WINDOW")
    [[ $INSIDE == "$1" ]]
}

# --- Ten restarts: the window stays where it was, with its size -------------------------
# The window manager frames the window after it is shown, and the program fits the window to
# that frame with a move of its own: a place read before that is not yet the window's.
framed() {
    xprop -id "$WINDOW" _NET_FRAME_EXTENTS | grep -q ' = '
}
printf '[Window]\r\nLeft=150\r\nTop=120\r\n' >"$INI"
start_program
wait_until "the window manager did not frame the window" framed
FIRST=$(inside "$WINDOW")
close_program
SAVED=$(saved_bounds)
[[ $SAVED == "$FIRST" ]] || fail "saved bounds $SAVED, the window was at $FIRST"
for run in $(seq 2 10); do
    start_program
    # Polled as wait_until does, so that a failure names where the window stayed.
    deadline=$(($(now_us) + E2E_WAIT * 1000000))
    until inside_at "$FIRST"; do
        (($(now_us) < deadline)) || fail "start $run: the window is at $INSIDE, first at $FIRST"
        sleep 0.05
    done
    close_program
    [[ $(saved_bounds) == "$SAVED" ]] || fail "start $run saved $(saved_bounds), first $SAVED"
done

# --- Maximized, closed, started again, restored: the old bounds -------------------------
start_program
wmctrl -i -r "$WINDOW" -b add,maximized_vert,maximized_horz
wait_until "the window was not maximized" maximized
# The X server hands the program the new state before the key that closes it.
close_program
expect_value IsMaximized 1
[[ $(saved_bounds) == "$SAVED" ]] || fail "a maximized close saved $(saved_bounds), not $SAVED"
start_program
wait_until "the window did not start maximized" maximized
screenshot maximized
wmctrl -i -r "$WINDOW" -b remove,maximized_vert,maximized_horz
wait_until "the window stayed maximized" eval '! maximized'
wait_until "the window was not restored at $FIRST" inside_at "$FIRST"
close_program
expect_value IsMaximized 0
[[ $(saved_bounds) == "$SAVED" ]] || fail "after restoring saved $(saved_bounds), not $SAVED"

# --- The font dialog's frame lies below the typing line ---------------------------------
start_program
send_key "$WINDOW" ctrl+f
wait_shown QFontDialog
DIALOG=$SHOWN
wait_active "$DIALOG"
screenshot font-dialog
dialog_top=$(inside "$DIALOG" | cut -d, -f2)
title=$(xprop -id "$DIALOG" _NET_FRAME_EXTENTS | awk -F', ' '{ print $3 }')
window_top=$(inside "$WINDOW" | cut -d, -f2)
# The typing line ends 94 pixels below the menu bar, which is at least 20 high.
((dialog_top - title >= window_top + 114)) ||
    fail "the font dialog's frame starts at $((dialog_top - title)), the window at $window_top"
send_key "$DIALOG" Escape
wait_hidden QFontDialog
close_program

# --- The window destroyed by the X server: the program ends, its settings written --------
rm -f "$INI"
start_program
xdotool windowclose "$WINDOW"
wait_program_end
[[ -f $INI ]] || fail "no settings file after the window was destroyed"
expect_sections_in_order

# --- The connection to the display lost: the settings are written all the same ---------
rm -f "$INI"
start_program
# A request written to the closed display must not end the program before it can save.
sig_ignored=$(awk '/^SigIgn:/ { print $2 }' "/proc/$APP_PID/status")
(((16#$sig_ignored >> 12) & 1)) || fail "SIGPIPE would end the program before its settings are written"
xdotool windowkill "$WINDOW"
wait_until "the program did not end without its display" eval "! kill -0 $APP_PID"
wait "$APP_PID" || true # Qt ends the process with an error of its own
APP_PID=
[[ -f $INI ]] || fail "no settings file after the display was lost"
expect_sections_in_order

echo "window_e2e: all checks passed"
