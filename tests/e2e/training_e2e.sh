#!/usr/bin/env bash
# Whole-program run of "Trénink na míru" with a low target (100 key presses a minute): the
# first exercise is typed with j slowly (a second before each j) and every other key fast,
# and the next exercise's focus is j; then exercises are typed fast until every open key has
# reached the target, and the exercise after that holds the newly opened key. The program
# tells each exercise it begins through KLAPTOS_TRAINING_TRACE, and every key it handled
# through its own trace; the script waits on those. At the end the settings file keeps
# [Trenink] and the history the day's keys.
#
# Usage: training_e2e.sh <staged bin directory>
# KLAPTOS_SCREENSHOT_DIR: when set, screenshots go there.
set -euo pipefail

. "$(dirname "$0")/e2e-common.sh"

TARGET=100
TRAINING_TRACE=$WORK/training-trace.txt
export KLAPTOS_TRAINING_TRACE=$TRAINING_TRACE
: >"$TRAINING_TRACE"
# The measures the program keeps, rewritten when an exercise is finished.
MEASURES=$WORK/app/trenink-qwertz.txt

exercises_begun() {
    grep -c '^focus ' "$TRAINING_TRACE" || true
}
has_exercises() {
    (($(exercises_begun) >= $1))
}
# Waits until the program has begun exercise $1 (counting from 1).
wait_exercise() {
    wait_until "exercise $1 did not begin" has_exercises "$1"
}
# The value of field $1 ("focus", "open", "new") of the last exercise begun.
last_field() {
    grep "^$1 " "$TRAINING_TRACE" | tail -n 1 | cut -d' ' -f2-
}
# The lines of the last exercise begun.
last_lines() {
    awk '/^focus / { n = 0 } /^line / { lines[n++] = substr($0, 6) }
        END { for (i = 0; i < n; i++) print lines[i] }' "$TRAINING_TRACE"
}

# The program's measure of character $1 from the kept measures: "speed timed" (key presses a
# minute over the timed occurrences, as the program computes it), "0 0" when unmeasured.
measure_of() {
    local code
    code=$(printf '%s' "$1" | iconv -f UTF-8 -t WINDOWS-1250 | od -An -tu1 | tr -d ' ')
    awk -v code="$code" '
        /^keys$/ { keys = 1; next }
        keys && $1 == code {
            for (i = 2; i <= NF; i++) { ms = $i + 0; if (ms > 0) { timed++; sum += ms } }
        }
        END { printf "%d %d\n", (sum > 0 ? 60000 * timed / sum : 0), timed }' "$MEASURES"
}

# Every open key but $1 that the program timed must be at the target: the script's fast
# typing must really be fast for the program.
expect_fast_keys() {
    local open c speed timed i
    open=$(last_field open)
    for ((i = 0; i < ${#open}; i++)); do
        c=${open:i:1}
        [[ $c == "$1" ]] && continue
        read -r speed timed < <(measure_of "$c")
        if ((timed > 0 && speed < TARGET)); then
            fail "'$c' typed fast measured $speed key presses a minute, below the target $TARGET"
        fi
    done
}

# Types the last exercise begun, each key waited for in the trace and right; with $1 = slow-j,
# a second passes before each j.
type_exercise() {
    local lines line c i
    mapfile -t lines < <(last_lines)
    ((${#lines[@]} > 0)) || fail "the exercise has no lines"
    for line in "${lines[@]}"; do
        for ((i = 0; i < ${#line}; i++)); do
            c=${line:i:1}
            keys_of "$c"
            if [[ $c == j && $1 == slow-j ]]; then
                # The pupil's slow key: this pause is what the program measures, not a wait.
                sleep 1
            fi
            send_key_doing "$WINDOW" right "${CHAR_KEYS[@]}"
        done
        send_key_doing "$WINDOW" "line finished" Return
    done
}

# Types the exercise, goes on from its summary with Enter ("Další cvičení") and starts the
# next exercise with F9.
finish_exercise() {
    local before
    before=$(exercises_begun)
    type_exercise "$1"
    wait_trace "^text finished$" "exercise $before did not finish"
    wait_shown TFormKonec
    EVALUATION=$SHOWN
    wait_active "$EVALUATION"
    send_key "$EVALUATION" Return
    wait_exercise $((before + 1))
    wait_hidden TFormKonec
    wait_active "$WINDOW"
    # An exercise begins stopped, as every text does; F9 starts the typing.
    send_key_doing "$WINDOW" "ActionContinue, typing" F9
}

printf '[Options]\r\nCloseQuery=1\r\n[Lekce]\r\nCislo=1\r\nCisloAkt=1\r\nCisloRadku=1\r\nQWERTZ=1\r\n[Trenink]\r\nCil=%d\r\n' \
    "$TARGET" >"$INI"

start_program
send_key "$WINDOW" ctrl+r
[[ $KEY_DID == ActionTrenink,* ]] || fail "Ctrl+R did '$KEY_DID'"
wait_exercise 1
send_key_doing "$WINDOW" "ActionContinue, typing" F9
[[ $(last_field open) == dfjkslaůgh ]] || fail "the first open keys are '$(last_field open)'"
screenshot training-exercise

finish_exercise slow-j
read -r J_SPEED J_TIMED < <(measure_of j)
((J_TIMED > 0 && J_SPEED < TARGET)) ||
    fail "j typed slowly measured $J_SPEED key presses a minute over $J_TIMED presses"
expect_fast_keys j
[[ $(last_field focus) == j ]] || fail "after a slow j the focus is '$(last_field focus)'"
expect_caption "Klaptos trénink na míru: j"

# Fast on every key until a key opens; the j's of the first exercise leave the measure as
# fast ones come in, so this takes a few exercises.
for ((n = 0; n < 6; n++)); do
    [[ $(last_field new) != - ]] && break
    finish_exercise fast
    expect_fast_keys j
done
NEW=$(last_field new)
[[ $NEW == r ]] || fail "the key opened after the home row is '$NEW'"
[[ $(last_field open) == dfjkslaůghr ]] || fail "open keys are '$(last_field open)'"
last_lines | grep -q r || fail "the exercise after the opening has no r: $(last_lines)"
screenshot training-new-key

close_program
expect_value Cil "$TARGET"
expect_value Klavesa 0
[[ -f $MEASURES ]] || fail "the measures were not kept"
ROWS=$(sqlite3 "$WORK/app/historie.sqlite" "SELECT COUNT(*) FROM key_days WHERE character = 106")
[[ $ROWS == 1 ]] || fail "the history has $ROWS rows of j"

echo "training_e2e: all checks passed"
