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
export LC_ALL=C.UTF-8 # lengths below count characters

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
(cd "$WORK/app" && exec env LANG=C.UTF-8 ./klaptos >>"$WORK/app.log" 2>&1) &
APP_PID=$!
wait_for 150 xdotool search --onlyvisible --name '^Informace$' || fail "no notice after loading"
sleep 0.5
screenshot owntext-notice
focus_window "$(xdotool search --onlyvisible --name '^Informace$' | awk 'NR == 1')"
xdotool key alt+z
wait_for 150 main_window || fail "the main window did not appear"
wait_for 150 splash_gone || fail "the splash window did not close"
sleep 0.3
WINDOW=$(main_window)
focus_window "$WINDOW"
sleep 0.3

xdotool key F9
sleep 0.2
for line in "$LINE1" "$LINE2" "$LINE3" "$LINE4"; do
    # xdotool may type a capital with a diacritic as its small letter: Ž comes from the
    # layout's own keys, the caron dead key and then Shift with z.
    if [[ $line == Ž* ]]; then
        xdotool key --delay 60 dead_caron shift+z
        line=${line#Ž}
    fi
    # „ and “ are on no key of the layout: xdotool lends them a key for a moment, and the
    # program must see the changed keymap before the key comes, so that line goes slowly.
    delay=40
    [[ $line == "$LINE2" ]] && delay=150
    xdotool type --delay "$delay" -- "$line"
    sleep 0.2
    [[ $line == "$LINE3" ]] && screenshot owntext-wrapped-line
    xdotool key Return
    sleep 0.3
done
xdotool type --delay 40 -- "$LINE5"
xdotool key Return
wait_for 150 xdotool search --onlyvisible --name '^Konec souboru' || fail "no evaluation window"
sleep 0.3
screenshot owntext-evaluation
xdotool key alt+u
wait_for 150 xdotool search --onlyvisible --name '^Potvrzení$' || fail "no close question"
sleep 0.3
xdotool key alt+a
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
