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

# Types the one line of the open text and finishes it: the evaluation window opens and is
# EVALUATION.
finish_text() {
    send_key_doing "$WINDOW" "ActionContinue, typing" F9
    type_line "$WINDOW" "$1"
    wait_shown TFormKonec
    EVALUATION=$SHOWN
}

# --- Repeat: the focus rests on "Opakovat soubor", so Enter starts the text again -------
start_program
finish_text "jak se mas"
wait_active "$EVALUATION"
screenshot evaluation-own-text
# The text starts again at its first character.
send_key_doing "$EVALUATION" "next j" Return
wait_hidden TFormKonec
expect_caption "Klaptos soubor: $FIRST"
send_key "$WINDOW" ctrl+q
wait_shown TFormCQuery
send_key "$SHOWN" Return # "Ano" is preselected
wait_program_end
expect_value CisloAkt -1
expect_value CisloRadku 1
expect_value UhozyCelkem 0
expect_value ChCelkem 0

# --- Next: "Otevřít soubor" is second in the tab order; it opens the own-text dialog ----
start_program
finish_text "jak se mas"
send_key "$EVALUATION" Tab
send_key "$EVALUATION" Return
wait_shown QFileDialog
DIALOG=$SHOWN
wait_active "$DIALOG"
screenshot open-file-dialog
enter_text "$DIALOG" "$SECOND"
send_key "$DIALOG" Return
wait_hidden QFileDialog
wait_trace "^text begun$" "the chosen text did not begin"
expect_caption "Klaptos soubor: $SECOND"
close_program
expect_value UzivSoubor "$SECOND"
expect_value CisloRadku 1
expect_value UhozyCelkem 0

# --- Quit: "Ukončit program" goes through the close question ---------------------------
start_program
finish_text "mam se dobre"
send_key "$EVALUATION" alt+u
wait_shown TFormCQuery
send_key "$SHOWN" Return
wait_program_end
# The sections this test wrote first keep their place; the others follow.
[[ $(tr -d '\r' <"$INI" | grep -c '^\[') == 6 ]] || fail "not all six sections were written"
expect_value UzivSoubor "$SECOND"

echo "evaluation_e2e: all checks passed"
