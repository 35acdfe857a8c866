#!/usr/bin/env bash
# Whole-program run of the history: lesson 1 is typed to its end twice, first with many
# errors, then well; "Můj pokrok" shows both texts, exports them as CSV for a Czech spreadsheet
# and closes by Esc, the lesson dialog ticks lesson 1, and sqlite3 finds both rows with their
# keystrokes and errors. Then the history file is replaced by garbage and by a directory: each
# time the program says so once, typing goes on, and the settings file is written as ever.
#
# Usage: history_e2e.sh <staged bin directory>
# KLAPTOS_SCREENSHOT_DIR: when set, screenshots go there.
set -euo pipefail

. "$(dirname "$0")/e2e-common.sh"
command -v sqlite3 >/dev/null || fail "sqlite3 is missing"

DB=$WORK/app/historie.sqlite
# Lesson 1's lines, without its heading and its task line.
LINES=$(iconv -f WINDOWS-1250 -t UTF-8 "$WORK/app/KTOSCA.DAT" | tr -d '\r' |
    awk '/^\$LEKCE:/ { inside = ($0 ~ /^\$LEKCE:01/); task = inside; next }
         inside && task { task = 0; next }
         inside { print }')
COUNT=$(wc -l <<<"$LINES")
((COUNT > 5)) || fail "lesson 1 has only $COUNT lines"
KEYS=$(($(wc -c <<<"$LINES"))) # each line's characters and its Enter
WRONG=3                        # wrong keys at the start of each line in the poor run

# A line with errors is not repeated, so that both runs type the same lines.
printf '[Window]\r\n[Font]\r\n[Options]\r\nErrIsRep=0\r\n' >"$INI"

# Types lesson 1 from its first line to its end with `$1` wrong keys before each line;
# the evaluation window then opens and is EVALUATION.
type_lesson() {
    send_key_doing "$WINDOW" "ActionContinue, typing" F9
    while IFS= read -r line; do
        for ((e = 0; e < $1; e++)); do
            send_key_doing "$WINDOW" "wrong, ${line:0:1} expected" x
        done
        type_line "$WINDOW" "$line"
    done <<<"$LINES"
    wait_shown TFormKonec
    EVALUATION=$SHOWN
    [[ $(xdotool getwindowname "$EVALUATION") == "Konec lekce 1"* ]] ||
        fail "the evaluation is '$(xdotool getwindowname "$EVALUATION")'"
}

# Repeats the lesson from the evaluation (the focus rests on "Opakovat lekci").
repeat_lesson() {
    send_key "$EVALUATION" Return
    wait_hidden TFormKonec
}

# Opens the lesson dialog, which is then DIALOG, and closes it with "Zpět".
lesson_dialog() {
    send_key "$WINDOW" ctrl+l
    wait_shown TFormLekce
    DIALOG=$SHOWN
}
close_lesson_dialog() {
    send_key "$DIALOG" Escape
    wait_hidden TFormLekce
}

# The settings file as ever, whatever happened to the history.
expect_settings_written() {
    expect_sections_in_order
}

# --- Lesson 1 twice: poorly, then well ---------------------------------------------------
start_program
type_lesson $WRONG
wait_active "$EVALUATION"
screenshot history-evaluation-poor
repeat_lesson
type_lesson 0
repeat_lesson

# "Můj pokrok" opens by its shortcut over the main window.
send_key "$WINDOW" ctrl+p
wait_shown ProgressWindow
PROGRESS=$SHOWN
wait_active "$PROGRESS"
screenshot history-progress
# The export through its own save dialog; the offered file lies in the documents folder, this
# one in the program's folder.
send_key "$PROGRESS" alt+e
wait_shown QFileDialog
SAVE=$SHOWN
CSV=$WORK/app/historie-klaptos.csv
enter_text "$SAVE" "$CSV"
send_key "$SAVE" Return
wait_hidden QFileDialog
[[ -s $CSV ]] || fail "no CSV file written"
send_key "$PROGRESS" Escape
wait_trace "^hidden ProgressWindow " "Esc did not close the progress window"
wait_active "$WINDOW"

# The lesson dialog with the tooltip of lesson 1, which is ticked.
lesson_dialog
wait_active "$DIALOG"
xdotool mousemove --window "$DIALOG" 40 28
wait_shown QTipLabel
screenshot history-lesson-dialog
close_lesson_dialog
close_program

expect_settings_written
expect_value UhozyCelkem 0
ROWS=$(sqlite3 "$DB" 'SELECT lesson, qwertz, keystrokes, errors, passed FROM texts ORDER BY id')
EXPECTED="1|1|$((KEYS + WRONG * COUNT))|$((WRONG * COUNT))|0
1|1|$KEYS|0|1"
[[ $ROWS == "$EXPECTED" ]] || fail "the history holds '$ROWS', expected '$EXPECTED'"
# The schema's newest step.
VERSION=$(grep -o 'kVersion = [0-9]*' "$(dirname "$0")/../../src/ui/history/HistorySchema.h" | grep -o '[0-9]*$')
[[ $(sqlite3 "$DB" 'PRAGMA user_version') == "$VERSION" ]] || fail "the history is not at version $VERSION"
# The CSV has the same figures for a Czech spreadsheet: a byte order mark, ";" between the
# fields lesson, layout, keystrokes, errors, passed.
[[ $(head -c 3 "$CSV" | od -An -tx1 | tr -d ' ') == efbbbf ]] || fail "the CSV has no byte order mark"
CSV_ROWS=$(tail -n +2 "$CSV" | tr -d '\r' | cut -d';' -f2,3,5,7,14)
CSV_EXPECTED="1;QWERTZ;$((KEYS + WRONG * COUNT));$((WRONG * COUNT));ne
1;QWERTZ;$KEYS;0;ano"
[[ $CSV_ROWS == "$CSV_EXPECTED" ]] || fail "the CSV holds '$CSV_ROWS', expected '$CSV_EXPECTED'"

# --- A history that cannot be kept: garbage, then a directory -----------------------------
FIRST_LINE=$(head -1 <<<"$LINES")
# The history is opened by the lesson dialog, which opens at once: the report follows, once,
# over it; a second opening says nothing; then a line is typed and the settings are written.
faulty_run() {
    local name=$1
    printf '[Window]\r\n[Font]\r\n[Options]\r\nErrIsRep=0\r\n' >"$INI"
    start_program
    send_key "$WINDOW" ctrl+l
    wait_shown TFormLekce
    DIALOG=$SHOWN
    wait_shown TFormErr
    REPORT=$SHOWN
    wait_active "$REPORT"
    screenshot "history-report-$name"
    send_key "$REPORT" Return
    wait_hidden TFormErr
    close_lesson_dialog
    lesson_dialog
    close_lesson_dialog
    send_key_doing "$WINDOW" "ActionContinue, typing" F9
    type_line "$WINDOW" "$FIRST_LINE"
    close_program
    # A second report would have come while the dialog was open or the line was typed.
    REPORTS=$(grep -c '^shown TFormErr ' "$TRACE" || true)
    ((REPORTS == 1)) || fail "$name: $REPORTS reports, expected one"
    expect_settings_written
    expect_value CisloRadku 2
    expect_value UhozyCelkem $((${#FIRST_LINE} + 1))
    expect_value ChCelkem 0
}

rm -f "$DB" "$DB-wal" "$DB-shm"
printf 'to není databáze\n%.0s' {1..300} >"$DB"
cp "$DB" "$WORK/garbage"
faulty_run garbage
ASIDE=$(ls "$WORK/app" | grep '^historie\.sqlite\.poskozena-' || true)
[[ $(wc -l <<<"$ASIDE") == 1 && -n $ASIDE ]] || fail "the damaged file was not moved aside: '$ASIDE'"
cmp -s "$WORK/app/$ASIDE" "$WORK/garbage" || fail "the damaged file changed when moved aside"
[[ $(sqlite3 "$DB" 'SELECT COUNT(*) FROM texts') == 0 ]] || fail "no new history after garbage"

rm -f "$DB" "$DB-wal" "$DB-shm"
mkdir "$DB"
faulty_run directory
[[ -d $DB ]] || fail "the directory in place of the history was touched"

echo "history_e2e: all checks passed"
