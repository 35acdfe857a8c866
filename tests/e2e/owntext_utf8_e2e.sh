#!/usr/bin/env bash
# Whole-program run on a virtual X server with the Czech keyboard layout: an own text saved
# in UTF-8, with an ellipsis, Czech quotation marks, a tab and a line of 120 characters, is
# restored at start-up; the notice names the replaced characters; the text is typed to its
# end as it is shown (the ellipsis as three dots, the quotation marks as straight ones, the
# tab as a space, the long line in two wrapped lines) and every right key counts as right in
# the settings file.
#
# Usage: owntext_utf8_e2e.sh <staged bin directory>
# KLAPTOS_SCREENSHOT_DIR: when set, screenshots go there.
set -euo pipefail

. "$(dirname "$0")/e2e-common.sh"

TEXT=$WORK/pohádka.txt
LONG="Tenhle řádek je mnohem delší než řádek pro psaní, a proto ho program zalomí u poslední mezery, která se vejde."
LONG="$LONG Konec!!"
[[ ${#LONG} -eq 118 ]] || fail "the long line has ${#LONG} characters"
printf 'Pohádka v UTF-8\nŽil byl jednou jeden král…\n„Dobrý den,“ řekl\tkůň.\n%s\nhotovo\n' "$LONG" >"$TEXT"
# The lines as Klaptos shows them, to be typed.
LINE1="Žil byl jednou jeden král..."
LINE2='"Dobrý den," řekl kůň.'
# Wrapped at its last space within the first 70 characters.
LINE3=${LONG:0:68}
LINE4=${LONG:69}
[[ ${LONG:68:1} == " " && ${LONG:69:1} != " " ]] || fail "the wrap point of the long line moved"
LINE5="hotovo"

printf '[Window]\r\n[Font]\r\n[Options]\r\n[Statistika]\r\n[Lekce]\r\nCisloAkt=-1\r\nUzivSoubor=%s\r\nCisloRadku=1\r\n' "$TEXT" >"$INI"

# The notice comes while the text is restored, before the splash closes.
launch_program
wait_shown TFormErr
NOTICE=$SHOWN
wait_active "$NOTICE"
[[ $(xdotool getwindowname "$NOTICE") == Informace ]] ||
    fail "the notice is '$(xdotool getwindowname "$NOTICE")'"
screenshot owntext-notice
send_key "$NOTICE" alt+z
wait_hidden TFormErr
wait_main_window

# Every character from the layout's own keys: Ž as the caron dead key and Shift with z, „ and
# “ from the keys given to them before the program started.
send_key_doing "$WINDOW" "ActionContinue, typing" F9
for line in "$LINE1" "$LINE2" "$LINE3" "$LINE4"; do
    type_text "$WINDOW" "$line"
    [[ $line == "$LINE3" ]] && screenshot owntext-wrapped-line
    send_key_doing "$WINDOW" "line finished" Return
done
type_line "$WINDOW" "$LINE5"
wait_shown TFormKonec
EVALUATION=$SHOWN
wait_active "$EVALUATION"
screenshot owntext-evaluation
send_key "$EVALUATION" alt+u
wait_shown TFormCQuery
send_key "$SHOWN" alt+a
wait_program_end

expect_sections_in_order
expect_value CisloAkt -1
expect_value UzivSoubor "$TEXT"
# What is kept is the state at the start of the last line: four lines and their Enters,
# every key right.
KEYS=$((${#LINE1} + ${#LINE2} + ${#LINE3} + ${#LINE4} + 4))
expect_value UhozyCelkem "$KEYS"
expect_value UhozyOK "$KEYS"
expect_value ChCelkem 0
expect_value CisloRadku 5

echo "owntext_utf8_e2e: all checks passed"
