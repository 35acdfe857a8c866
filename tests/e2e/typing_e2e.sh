#!/usr/bin/env bash
# Whole-program run on a virtual X server with the Czech keyboard layout: types the first
# line of lesson 1 with a mistake, types an own text with Czech and dead-key letters,
# finishes it into the evaluation window, and checks what the settings file says after
# each run, including that a restart comes back where the pupil stopped.
#
# Usage: typing_e2e.sh <staged bin directory>
# KLAPTOS_SCREENSHOT_DIR: when set, screenshots of the main window go there.
set -euo pipefail

. "$(dirname "$0")/e2e-common.sh"

# --- Run 1: lesson 1 from the staged lesson file, first line with one wrong key ---------
LINE1=$(iconv -f WINDOWS-1250 -t UTF-8 "$WORK/app/KTOSCA.DAT" | tr -d '\r' |
    awk '/^\$LEKCE:01/ { found = 1; next } found == 1 { found = 2; next } found == 2 { print; found = 3 }')
[[ -n $LINE1 ]] || fail "lesson 1 has no first line"
LENGTH=${#LINE1}

start_program
expect_caption "Klaptos lekce 1 (QWERTZ)"
screenshot stop-mode
# Keys in STOP mode are swallowed; F9 starts the typing.
send_key_doing "$WINDOW" STOP "${LINE1:0:1}"
send_key_doing "$WINDOW" "ActionContinue, typing" F9
# A wrong key at the first position: the position stays, Backspace keeps it at 0.
send_key_doing "$WINDOW" "wrong, ${LINE1:0:1} expected" x
send_key_doing "$WINDOW" "next ${LINE1:0:1}" BackSpace
type_text "$WINDOW" "$LINE1"
screenshot typing
send_key_doing "$WINDOW" "line finished" Return
close_program

[[ -f $INI ]] || fail "no settings file written"
expect_sections_in_order
expect_value CisloAkt 1
expect_value CisloRadku 2
expect_value QWERTZ 1
expect_value UhozyCelkem $((LENGTH + 3))
expect_value UhozyOK $((LENGTH + 1))
expect_value ChCelkem 1
expect_value Name "Courier New"
expect_value IsMaximized 0
cp "$INI" "$WORK/after-run1.ini"

# --- Run 2: a restart comes back on line 2 with the statistics ---------------------------
start_program
screenshot restarted
close_program
cmp -s "$INI" "$WORK/after-run1.ini" || {
    diff <(tr -d '\r' <"$WORK/after-run1.ini") <(tr -d '\r' <"$INI") >&2 || true
    fail "a start and an immediate close changed the settings"
}

# --- Run 3: an own text with Czech letters and dead keys ---------------------------------
TEXT=$WORK/vlastni.txt
printf 'Vlastní text s háčky a čárkami\nčaj ďas óda\nť\n' | iconv -f UTF-8 -t WINDOWS-1250 >"$TEXT"
# The settings as a run that had opened this text would leave them: its position, and the
# statistics of a text not yet typed.
tr -d '\r' <"$INI" | sed -e 's/^CisloAkt=.*/CisloAkt=-1/' -e "s|^UzivSoubor=.*|UzivSoubor=$TEXT|" \
    -e 's/^CisloRadku=.*/CisloRadku=1/' -e 's/^\(ChCelkem\|MsCelkem\|UhozyCelkem\|UhozyOK\)=.*/\1=0/' \
    -e 's/^MsMem=.*/MsMem=/' | sed 's/$/\r/' >"$WORK/own.ini"
cp "$WORK/own.ini" "$INI"

start_program
expect_caption "Klaptos soubor: $TEXT"
send_key_doing "$WINDOW" "ActionContinue, typing" F9
# č is a key of the Czech layout; ď and ó come from the dead keys (caron, acute).
type_text "$WINDOW" "čaj ďas óda"
screenshot typing-own-text
send_key_doing "$WINDOW" "line finished" Return
close_program

expect_sections_in_order
expect_value CisloAkt -1
expect_value UzivSoubor "$TEXT"
expect_value CisloRadku 2
# "čaj ďas óda" is 11 characters, all right, and the Enter that finished the line.
expect_value UhozyCelkem 12
expect_value UhozyOK 12
expect_value ChCelkem 0

# --- Run 4: the last line ends the text in the evaluation window; quit from there -------
start_program
send_key_doing "$WINDOW" "ActionContinue, typing" F9
type_line "$WINDOW" "ť"
wait_trace "^text finished$" "the last line did not finish the text"
wait_shown TFormKonec
EVALUATION=$SHOWN
wait_active "$EVALUATION"
screenshot evaluation
send_key "$EVALUATION" alt+u
wait_shown TFormCQuery
send_key "$SHOWN" alt+a
wait_program_end
expect_sections_in_order
expect_value CisloAkt -1
# What is kept is the state at the start of the last line: ť and its Enter are not in it.
expect_value UhozyCelkem 12
expect_value ChCelkem 0

echo "typing_e2e: all checks passed"
