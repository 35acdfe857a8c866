#!/usr/bin/env bash
# Whole-program run of the on-screen keyboard on a virtual X server with the Czech layout:
# in lessons 1, 26, 41 and 44 on QWERTZ and lesson 12 on QWERTY it types the start of the
# first line with real keys (dead keys for ď ť ň ó) and checks the finger text the keyboard
# showed for every next character, through the program's trace (its "finger" lines).
# Then it switches the keyboard off with Ctrl+K and checks that the window shrinks and that
# the settings file remembers the choice (Options: Klavesnice).
#
# Usage: keyboard_e2e.sh <staged bin directory>
# KLAPTOS_SCREENSHOT_DIR: when set, a screenshot of each lesson goes there.
set -euo pipefail

. "$(dirname "$0")/e2e-common.sh"

# The words under the keyboard for each character, as a Czech keyboard is fingered.
declare -A QWERTZ=(
    [f]="levý ukazováček – f"
    [j]="pravý ukazováček – j"
    [" "]="palec – mezerník"
    [A]="levý malíček – A (se Shiftem: pravý malíček)"
    [a]="levý malíček – a"
    [S]="levý prsteníček – S (se Shiftem: pravý malíček)"
    [s]="levý prsteníček – s"
    [D]="levý prostředníček – D (se Shiftem: pravý malíček)"
    [d]="levý prostředníček – d"
    [F]="levý ukazováček – F (se Shiftem: pravý malíček)"
    [ď]="pravý malíček – ˇ (se Shiftem: levý malíček), pak levý prostředníček – d"
    [ť]="pravý malíček – ˇ (se Shiftem: levý malíček), pak levý ukazováček – t"
    [ň]="pravý malíček – ˇ (se Shiftem: levý malíček), pak pravý ukazováček – n"
    [ó]="pravý malíček – ´, pak pravý prsteníček – o"
    [1]="levý malíček – 1 (se Shiftem: pravý malíček)"
    [2]="levý prsteníček – 2 (se Shiftem: pravý malíček)"
    [3]="levý prostředníček – 3 (se Shiftem: pravý malíček)"
    [4]="levý ukazováček – 4 (se Shiftem: pravý malíček)"
)
declare -A QWERTY=(
    [z]="levý malíček – z"
    [a]="levý malíček – a"
    [" "]="palec – mezerník"
)

# awk reads to the end: a reader that stops early would kill the writers with SIGPIPE.
first_line() {
    iconv -f WINDOWS-1250 -t UTF-8 "$WORK/app/$1" | tr -d '\r' |
        awk -v mark="\$LEKCE:$2" '$0 == mark { found = 1; next }
            found == 1 { found = 2; next } found == 2 { print; found = 3 }'
}

# Types the first $4 characters of lesson $1's first line from file $2 on layout $3
# (1 QWERTZ, 0 QWERTY) and compares the finger texts shown with the table of the layout.
check_lesson() {
    local lesson=$1 file=$2 qwertz=$3 count=$4
    local line expected=() c
    line=$(first_line "$file" "$(printf %02d "$lesson")")
    [[ -n $line ]] || fail "lesson $lesson has no first line"
    printf '[Options]\r\nCloseQuery=1\r\n[Lekce]\r\nCislo=%d\r\nCisloAkt=%d\r\nCisloRadku=1\r\nQWERTZ=%d\r\n' \
        "$lesson" "$lesson" "$qwertz" >"$INI"
    start_program
    local layout=QWERTY
    [[ $qwertz == 1 ]] && layout=QWERTZ
    expect_caption "Klaptos lekce $lesson ($layout)"
    send_key_doing "$WINDOW" "ActionContinue, typing" F9
    type_text "$WINDOW" "${line:0:count}"
    screenshot "lesson-$lesson-$layout"
    close_program

    # One text for the first character, then one after each character typed.
    for ((i = 0; i <= count; i++)); do
        c=${line:i:1}
        if [[ $layout == QWERTZ ]]; then
            expected+=("${QWERTZ[$c]?no text listed for '$c'}")
        else
            expected+=("${QWERTY[$c]?no text listed for '$c'}")
        fi
    done
    mapfile -t shown < <(sed -n -e 's/^finger //p' -e 's/^finger$//p' "$TRACE")
    ((${#shown[@]} == count + 1)) ||
        fail "lesson $lesson: ${#shown[@]} finger texts for $count characters"
    for ((i = 0; i <= count; i++)); do
        [[ ${shown[i]} == "${expected[i]}" ]] ||
            fail "lesson $lesson, character $((i + 1)) '${line:i:1}': shown '${shown[i]}', expected '${expected[i]}'"
    done
    expect_value Klavesnice 1
}

check_lesson 1 KTOSCA.DAT 1 12
check_lesson 26 KTOSCC.DAT 1 10
check_lesson 41 KTOSCC.DAT 1 10
check_lesson 44 KTOSCC.DAT 1 10
check_lesson 12 KTOSCBY.DAT 0 12

# --- Ctrl+K: the keyboard goes, the window shrinks, and the choice is remembered ---------
start_program
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
TALL=$HEIGHT
send_key_doing "$WINDOW" "ActionKlavesnice, STOP" ctrl+k
# The window manager gives the window its new size after the program asked for it.
shrunk() {
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    ((HEIGHT < TALL - 100))
}
wait_until "the window did not shrink from its $TALL pixels without the keyboard" shrunk
screenshot keyboard-off
close_program
expect_value Klavesnice 0
