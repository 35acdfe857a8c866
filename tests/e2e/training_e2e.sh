#!/usr/bin/env bash
# Whole-program run of "Trénink na míru" with a low target (100 key presses a minute): the
# first exercise is typed with j slowly (a second before each j) and every other key fast,
# and the next exercise's focus is j; then exercises are typed fast until every open key has
# reached the target, and the exercise after that holds the newly opened key. The program
# tells each exercise it begins through KLAPTOS_TRAINING_TRACE; the script waits on that
# file. At the end the settings file keeps [Trenink] and the history the day's keys.
#
# Usage: training_e2e.sh <staged bin directory>
# KLAPTOS_SCREENSHOT_DIR: when set, screenshots go there.
set -euo pipefail

. "$(dirname "$0")/e2e-common.sh"

TRACE=$WORK/training-trace.txt
export KLAPTOS_TRAINING_TRACE=$TRACE
: >"$TRACE"

exercises_begun() {
    grep -c '^focus ' "$TRACE" || true
}
# Waits until the program has begun exercise $1 (counting from 1).
wait_exercise() {
    wait_for 150 bash -c "[[ \$(grep -c '^focus ' '$TRACE') -ge $1 ]]" ||
        fail "exercise $1 did not begin"
}
# The value of field $1 ("focus", "new") of the last exercise begun.
last_field() {
    grep "^$1 " "$TRACE" | tail -n 1 | cut -d' ' -f2-
}
last_lines() {
    grep '^line ' "$TRACE" | tail -n 3 | cut -d' ' -f2-
}

key_of() {
    case $1 in
    ' ') echo space ;;
    ů) echo uring ;;
    *) echo "$1" ;;
    esac
}

# Types the last exercise begun; with $1 = slow-j, a second passes before each j.
type_exercise() {
    local line c keys
    while IFS= read -r line; do
        keys=()
        for ((i = 0; i < ${#line}; i++)); do
            c=${line:i:1}
            if [[ $c == j && $1 == slow-j ]]; then
                [[ ${#keys[@]} -gt 0 ]] && xdotool key --delay 30 "${keys[@]}"
                keys=()
                # The pupil's slow key: this pause is what the program measures.
                sleep 1.0
                xdotool key j
            else
                keys+=("$(key_of "$c")")
            fi
        done
        xdotool key --delay 30 "${keys[@]}" Return
    done < <(last_lines)
}

evaluation_open() {
    xdotool search --onlyvisible --name '^Konec' >/dev/null 2>&1
}

# Types the exercise, waits for its summary and goes on with Enter.
finish_exercise() {
    local before
    before=$(exercises_begun)
    type_exercise "$1"
    wait_for 150 evaluation_open || fail "no summary after exercise $before"
    sleep 0.5
    xdotool key Return
    wait_exercise $((before + 1))
    wait_for 150 bash -c '! xdotool search --onlyvisible --name "^Konec" >/dev/null 2>&1' ||
        fail "the summary stayed open"
    focus_window "$WINDOW"
    # An exercise begins stopped, as every text does; F9 starts the typing.
    xdotool key F9
}

printf '[Options]\r\nCloseQuery=1\r\n[Lekce]\r\nCislo=1\r\nCisloAkt=1\r\nCisloRadku=1\r\nQWERTZ=1\r\n[Trenink]\r\nCil=100\r\n' >"$INI"

start_program
xdotool key ctrl+r
wait_exercise 1
xdotool key F9
[[ $(last_field open) == dfjkslaůgh ]] || fail "the first open keys are '$(last_field open)'"
sleep 0.3
screenshot training-exercise

finish_exercise slow-j
[[ $(last_field focus) == j ]] || fail "after a slow j the focus is '$(last_field focus)'"
CAPTION=$(xdotool getwindowname "$WINDOW")
[[ $CAPTION == "Klaptos trénink na míru: j" ]] || fail "the caption is '$CAPTION'"

# Fast on every key until a key opens; the j's of the first exercise leave the measure as
# fast ones come in, so this takes a few exercises.
for ((n = 0; n < 6; n++)); do
    [[ $(last_field new) != - ]] && break
    finish_exercise fast
done
NEW=$(last_field new)
[[ $NEW == r ]] || fail "the key opened after the home row is '$NEW'"
[[ $(last_field open) == dfjkslaůghr ]] || fail "open keys are '$(last_field open)'"
last_lines | grep -q r || fail "the exercise after the opening has no r: $(last_lines)"
sleep 0.3
screenshot training-new-key

close_program
expect_value Cil 100
expect_value Klavesa 0
[[ -f $WORK/app/trenink-qwertz.txt ]] || fail "the measures were not kept"
ROWS=$(sqlite3 "$WORK/app/historie.sqlite" "SELECT COUNT(*) FROM key_days WHERE character = 106")
[[ $ROWS == 1 ]] || fail "the history has $ROWS rows of j"

echo "training_e2e: all checks passed"
