#!/usr/bin/env bash
# Whole-program run of the end-of-text evaluation: an own text is typed to its end, and
# each of the evaluation's three answers is given in turn: repeat the text, open another
# text, quit the program. The settings file and the caption show what each answer did.
#
# Usage: evaluation_e2e.sh <staged bin directory>
# KLAPTOS_SCREENSHOT_DIR: when set, screenshots go there.
set -euo pipefail

. "$(dirname "$0")/e2e-common.sh"

FIRST=$WORK/prvni.txt
SECOND=$WORK/druhy.txt
printf 'Krátký text na zkoušku\njak se mas\n' | iconv -f UTF-8 -t WINDOWS-1250 >"$FIRST"
printf 'Druhý text\nmam se dobre\n' | iconv -f UTF-8 -t WINDOWS-1250 >"$SECOND"

# Settings that open the first text at its first line, asking before closing with "Ano" preselected.
printf '[Options]\r\nCloseQuery=1\r\n[Lekce]\r\nCisloAkt=-1\r\nUzivSoubor=%s\r\nCisloRadku=1\r\n' \
    "$FIRST" >"$INI"

# Types the one line of the open text and finishes it: the evaluation window opens. The
# lines are plain ASCII, which xdotool types without remapping keys; the Czech letters
# and dead keys are the typing run's business.
finish_text() {
    xdotool key F9
    sleep 0.2
    xdotool type --delay 40 -- "$1"
    xdotool key Return
    wait_for 100 xdotool search --onlyvisible --name '^Konec souboru' || fail "no evaluation window"
    sleep 0.3
}

evaluation_closed() {
    ! xdotool search --onlyvisible --name '^Konec souboru' >/dev/null 2>&1
}

# --- Repeat: the focus rests on "Opakovat soubor", so Enter starts the text again -------
start_program
finish_text "jak se mas"
screenshot evaluation-own-text
xdotool key Return
wait_for 150 evaluation_closed || fail "the evaluation window stayed open"
sleep 0.3
[[ $(xdotool getwindowname "$WINDOW") == "Klaptos soubor: $FIRST" ]] ||
    fail "after repeating, the caption is '$(xdotool getwindowname "$WINDOW")'"
# Without a window manager nobody gives the focus back when a dialog closes.
focus_window "$WINDOW"
sleep 0.2
xdotool key ctrl+q
wait_for 150 xdotool search --onlyvisible --name '^Potvrzení$' || fail "no close question"
sleep 0.3
xdotool key Return # "Ano" is preselected
wait_program_end
expect_value CisloAkt -1
expect_value CisloRadku 1
expect_value UhozyCelkem 0
expect_value ChCelkem 0

# --- Next: "Otevřít soubor" is second in the tab order; it opens the own-text dialog ----
start_program
finish_text "jak se mas"
xdotool key Tab Return
wait_for 150 xdotool search --onlyvisible --name '^Otevrit textovy soubor$' ||
    fail "no open-file dialog"
sleep 0.5
screenshot open-file-dialog
xdotool type --delay 20 -- "$SECOND"
xdotool key Return
wait_for 150 bash -c "[[ \$(xdotool getwindowname $WINDOW) == 'Klaptos soubor: $SECOND' ]]" ||
    fail "after opening, the caption is '$(xdotool getwindowname "$WINDOW")'"
# The file name's completion list can outlive the dialog without a window manager; Escape
# closes it (the typing line ignores Escape).
xdotool key Escape
focus_window "$WINDOW"
sleep 0.2
close_program
expect_value UzivSoubor "$SECOND"
expect_value CisloRadku 1
expect_value UhozyCelkem 0

# --- Quit: "Ukončit program" goes through the close question ---------------------------
start_program
finish_text "mam se dobre"
xdotool key alt+u
wait_for 150 xdotool search --onlyvisible --name '^Potvrzení$' || fail "no close question"
sleep 0.3
xdotool key Return
wait_program_end
# The sections this test wrote first keep their place; the others follow.
[[ $(tr -d '\r' <"$INI" | grep -c '^\[') == 6 ]] || fail "not all six sections were written"
expect_value UzivSoubor "$SECOND"

echo "evaluation_e2e: all checks passed"
