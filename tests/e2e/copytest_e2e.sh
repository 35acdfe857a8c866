#!/usr/bin/env bash
# Whole-program run of the timed copy: "Opis na čas" (Ctrl+T) on a test copy text for one
# minute under the school rules; its first paragraph is typed with a wrong word and a missing
# word, then the beginning of the next, and the time runs out in the middle of a word. The
# result sheet opens; saved as PDF it holds the norm's figures: 180 gross keystrokes (the
# capitals two each), two errors, 160 net a minute, 1,11 % errors, failed for both. "Tisk…"
# opens the print dialog from its plugin. The choices are kept in [Opis].
#
# Usage: copytest_e2e.sh <staged bin directory>
# KLAPTOS_SCREENSHOT_DIR: when set, screenshots (and the PDF's first page) go there.
set -euo pipefail
export LC_ALL=C.UTF-8

. "$(dirname "$0")/e2e-common.sh"

command -v pdftotext >/dev/null || fail "pdftotext is missing (poppler-utils)"

# The test's own copy texts in place of the program's, so that the first one is known.
mkdir -p "$WORK/app/opisy"
rm -f "$WORK/app/opisy/"*.txt
cp "$(dirname "$0")/../data/opisy/"*.txt "$WORK/app/opisy/"
COPY=$WORK/app/opisy/01-zahrada.txt

# The first paragraph, then a space and the beginning of the second, as a pupil types on.
mapfile -t PARAGRAPHS < <(iconv -f WINDOWS-1250 -t UTF-8 "$COPY" | tr -d '\r' | tail -n +3 | awk 'NF')
TYPED=${PARAGRAPHS[0]/každým/každím}
TYPED=${TYPED/spadaná /}
[[ ${#TYPED} -eq $((${#PARAGRAPHS[0]} - 8)) && ${PARAGRAPHS[1]} == "Večer se nad záhony"* ]] ||
    fail "the copy text changed"
TYPED="$TYPED Večer se nad záh"

start_program
send_key "$WINDOW" ctrl+t
wait_shown CopySetupDialog
SETUP=$SHOWN
wait_active "$SETUP"
# One minute: the first duration; the first text and the school rules are preselected.
send_key "$SETUP" alt+d
send_key "$SETUP" Home
screenshot copytest-setup
send_key "$SETUP" alt+z
wait_shown CopyTestWindow
TEST_WINDOW=$SHOWN
[[ $(xdotool getwindowname "$TEST_WINDOW") == *"Zahrada v létě" ]] ||
    fail "the test window is '$(xdotool getwindowname "$TEST_WINDOW")'"
wait_active "$TEST_WINDOW"
screenshot copytest-before
# The countdown starts with the first key; every key must reach the text area.
type_into_field "$TEST_WINDOW" "$TYPED" 0
screenshot copytest-typed

# The window closes when the minute is over, and the sheet comes.
E2E_WAIT=$((E2E_WAIT + 60)) wait_hidden CopyTestWindow
wait_shown CopyResultSheet
SHEET=$SHOWN
[[ $(xdotool getwindowname "$SHEET") == *"výsledek" ]] ||
    fail "the sheet is '$(xdotool getwindowname "$SHEET")'"
wait_active "$SHEET"
screenshot copytest-sheet

# "Uložit jako PDF…": the file name field of the save dialog takes the path.
PDF=$WORK/vysledek.pdf
send_key "$SHEET" alt+u
wait_shown QFileDialog
SAVE=$SHOWN
[[ $(xdotool getwindowname "$SAVE") == "Uložit výsledek jako PDF" ]] ||
    fail "the save dialog is '$(xdotool getwindowname "$SAVE")'"
enter_text "$SAVE" "$PDF"
send_key "$SAVE" Return
wait_hidden QFileDialog
[[ -s $PDF ]] || fail "no PDF written"
if [[ -n $SHOTS ]] && command -v pdftoppm >/dev/null; then
    pdftoppm -png -r 60 -f 1 -l 1 "$PDF" "$SHOTS/copytest-pdf"
fi

pdftotext -layout "$PDF" "$WORK/vysledek.txt"
expect_line() {
    grep -Eq "$1" "$WORK/vysledek.txt" || {
        cat "$WORK/vysledek.txt" >&2
        fail "the PDF has no line matching '$1'"
    }
}
expect_line 'Text: +Zahrada v létě'
expect_line 'Doba: +1 minuta'
expect_line 'Pravidla: +školní \(10 úhozů za chybu\)'
expect_line 'Hrubé úhozy +180$'
expect_line 'Chyby +2$'
expect_line 'Odečet za chyby +2 × 10 = 20$'
expect_line 'Čisté úhozy +160$'
expect_line 'Čisté úhozy za minutu +160$'
expect_line 'Chybovost +1,11 %$'
expect_line 'Hodnocení +neprospěl$'
expect_line 'K prospěchu je potřeba rychlost alespoň 200 čistých úhozů za minutu a'
expect_line 'chybovost nejvýše 0,50 %\.'
# The marked text: the copy's word beside the wrong one, the missing word, the last word.
expect_line 'každím ?každým'
expect_line 'spadaná'
expect_line 'záh ?nedopsáno'

# "Tisk…" loads the printing plugin and opens the print dialog.
send_key "$SHEET" alt+t
wait_shown_titled 'Tisk$'
PRINT=$SHOWN
wait_active "$PRINT"
screenshot copytest-print
send_key "$PRINT" Escape
wait_trace "^hidden [^ ]+ $PRINT " "the print dialog stayed open"

send_key "$SHEET" Escape
wait_hidden CopyResultSheet
wait_active "$WINDOW"
close_program
expect_value Text "$COPY"
expect_value Minuty 1
expect_value Pravidla 0
# The history keeps the test with its figures.
ROW=$(sqlite3 "$WORK/app/historie.sqlite" \
    'SELECT title, minutes, rules, gross, errors, net_per_minute, error_rate, grade FROM copy_tests')
[[ $ROW == "Zahrada v létě|1|0|180|2|160|111|4" ]] || fail "the history holds '$ROW' for the test"

echo "copytest_e2e: all checks passed"
