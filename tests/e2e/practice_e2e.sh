#!/usr/bin/env bash
# Whole-program run of errors per key and the practice text: lesson 5 is typed with wrong
# keys on two characters (r struck as t, k struck as l, once in each of its first 13 lines).
# Quitting from the evaluation writes the counts to [Chyby]; after a restart the last line
# finishes the lesson again, "Procvičit chyby" starts the practice text, whose words must be
# Czech dictionary words made of keys lesson 5 has taught. Without the word list the button
# only tells the pupil why.
#
# Usage: practice_e2e.sh <staged bin directory>
# KLAPTOS_SCREENSHOT_DIR: when set, screenshots go there.
set -euo pipefail

. "$(dirname "$0")/e2e-common.sh"

command -v hunspell >/dev/null || fail "hunspell is missing"

mapfile -t LINES < <(iconv -f WINDOWS-1250 -t UTF-8 "$WORK/app/KTOSCA.DAT" | tr -d '\r' |
    awk '/^\$LEKCE:05/ { found = 1; next } /^\$LEKCE/ { found = 0 } found && NF')
# The intro line, then the text.
TEXT=("${LINES[@]:1}")
COUNT=${#TEXT[@]}
[[ $COUNT -ge 10 ]] || fail "lesson 5 has only $COUNT lines"
LAST=$((COUNT - 1))

# How often character $1 occurs in the lines $2 .. $3 - 1.
occurrences() {
    local n=0 line rest
    for ((i = $2; i < $3; i++)); do
        line=${TEXT[$i]}
        rest=${line//[^$1]/}
        n=$((n + ${#rest}))
    done
    echo "$n"
}
# How many of the lines $2 .. $3 - 1 hold character $1 (each gets one wrong key).
lines_with() {
    local n=0
    for ((i = $2; i < $3; i++)); do
        [[ ${TEXT[$i]} == *"$1"* ]] && n=$((n + 1))
    done
    echo "$n"
}

# Types line $1 and Enter; with $2 = wrong, the first r and the first k of it get a wrong
# key first (t and l). Every character is a key of the Czech layout.
type_lesson_line() {
    local line=${TEXT[$1]} c wrongR=$2 wrongK=$2 i
    for ((i = 0; i < ${#line}; i++)); do
        c=${line:i:1}
        if [[ $c == r && $wrongR == wrong ]]; then
            send_key_doing "$WINDOW" "wrong, r expected" t
            wrongR=
        elif [[ $c == k && $wrongK == wrong ]]; then
            send_key_doing "$WINDOW" "wrong, k expected" l
            wrongK=
        fi
        keys_of "$c"
        send_key_doing "$WINDOW" right "${CHAR_KEYS[@]}"
    done
    send_key_doing "$WINDOW" "line finished" Return
}

# Types the last line, which ends the lesson: the evaluation window is then EVALUATION.
finish_lesson() {
    type_lesson_line "$LAST" right
    wait_shown TFormKonec
    EVALUATION=$SHOWN
    [[ $(xdotool getwindowname "$EVALUATION") == "Konec lekce 5" ]] ||
        fail "the evaluation is '$(xdotool getwindowname "$EVALUATION")'"
    wait_active "$EVALUATION"
}

# Quits from the evaluation through the close question.
quit_from_evaluation() {
    send_key "$EVALUATION" alt+u
    wait_shown TFormCQuery
    send_key "$SHOWN" Return
    wait_program_end
}

printf '[Options]\r\nCloseQuery=1\r\nErrIsRep=0\r\n[Lekce]\r\nCislo=5\r\nCisloAkt=5\r\nCisloRadku=1\r\nQWERTZ=1\r\n' >"$INI"

# --- Run 1: the whole lesson with wrong keys; quit from the evaluation --------------------
start_program
expect_caption "Klaptos lekce 5 (QWERTZ)"
send_key_doing "$WINDOW" "ActionContinue, typing" F9
for ((l = 0; l < LAST; l++)); do
    type_lesson_line "$l" wrong
done
finish_lesson
screenshot practice-evaluation
quit_from_evaluation

# What is kept is the state at the start of the last line: its keystrokes are not in it.
ERRORS_R=$(lines_with r 0 "$LAST")
ERRORS_K=$(lines_with k 0 "$LAST")
[[ $ERRORS_R -gt 3 && $ERRORS_K -gt 3 ]] || fail "lesson 5 has too few r and k to test with"
expect_value 72 "$(($(occurrences r 0 "$LAST") + ERRORS_R)),$ERRORS_R,74:$ERRORS_R"
expect_value 6B "$(($(occurrences k 0 "$LAST") + ERRORS_K)),$ERRORS_K,6C:$ERRORS_K"
# No other character has an error.
others=$(tr -d '\r' <"$INI" | awk '/^\[Chyby\]/ { s = 1; next } /^\[/ { s = 0 }
    s && /^[0-9A-F][0-9A-F]=/ { split(substr($0, 4), v, ","); if (v[2] != 0 && substr($0, 1, 2) != "72" && substr($0, 1, 2) != "6B") print }')
[[ -z $others ]] || fail "other characters have errors: $others"
cp "$INI" "$WORK/at-last-line.ini"

# --- Run 2: the last line again; "Procvičit chyby" starts the practice text --------------
start_program
send_key_doing "$WINDOW" "ActionContinue, typing" F9
finish_lesson
screenshot practice-evaluation-after-restart
# The repeat button has the focus; the practice button is the one before it, and Space
# presses it.
send_key "$EVALUATION" shift+Tab
send_key "$EVALUATION" space
# The practice text begins, and then the evaluation closes.
wait_trace "^text begun$" "no practice text began"
wait_hidden TFormKonec
# Both have the same rate over the whole lesson or r leads; either way both are named.
CAPTION=$(caption)
[[ $CAPTION == "Klaptos procvičení: r k" || $CAPTION == "Klaptos procvičení: k r" ]] ||
    fail "the caption is '$CAPTION'"
wait_active "$WINDOW"
screenshot practice-text

PRACTICE=$WORK/app/procviceni.txt
[[ -f $PRACTICE ]] || fail "no practice file in the pupil's data folder"
iconv -f WINDOWS-1250 -t UTF-8 "$PRACTICE" | tr -d '\r' | tail -n +2 >"$WORK/practice.txt"
LINES_MADE=$(wc -l <"$WORK/practice.txt")
[[ $LINES_MADE -ge 12 && $LINES_MADE -le 15 ]] || fail "the practice text has $LINES_MADE lines"
# Keys taught up to lesson 5: d f j k s l a ů g h r u and the space.
untaught=$(grep -n '[^dfjkslaůghru ]' "$WORK/practice.txt" || true)
[[ -z $untaught ]] || fail "keys lesson 5 has not taught: $untaught"
unknown=$(tr ' ' '\n' <"$WORK/practice.txt" | grep -v '^$' | sort -u | hunspell -d cs_CZ -l || true)
[[ -z $unknown ]] || fail "words hunspell does not know: $unknown"
close_program
expect_value CisloAkt -1
expect_value UzivSoubor "$PRACTICE"
expect_value CisloRadku 1

# --- Run 3: without the word list the button tells why and nothing changes ---------------
cp "$WORK/at-last-line.ini" "$INI"
rm "$WORK/app/slova.txt"
start_program
send_key_doing "$WINDOW" "ActionContinue, typing" F9
finish_lesson
send_key "$EVALUATION" shift+Tab
send_key "$EVALUATION" space
wait_shown TFormErr
REPORT=$SHOWN
wait_active "$REPORT"
screenshot practice-no-word-list
send_key "$REPORT" Return
wait_hidden TFormErr
# The evaluation is still open, and the active window again.
wait_active "$EVALUATION"
expect_caption "Klaptos lekce 5 (QWERTZ)"
quit_from_evaluation
expect_value CisloAkt 5

echo "practice_e2e: all checks passed"
