#!/usr/bin/env bash
# Whole-program run of a school class on a real PostgreSQL server of its own (class-common.sh):
# the program's own command, without a display, makes the class 7.A with a teacher and two
# pupils and adds a third later; pupil A joins through "Připojit ke třídě…" and finishes a
# one-minute timed copy (Ctrl+T, failed: a word in the minute) and a short own text while the
# server runs, pupil B finishes one while it is stopped and sends it
# when the program starts again with the server back; the teacher's window then shows every
# result exactly once, the copy with its figures, and exports them as CSV. Pupil A's login is refused when it reads,
# changes or deletes pupil B's row. Without a class joined, nothing of the class is loaded;
# the password never reaches the settings file and lies in ~/.pgpass, readable by its owner
# alone (no desktop secret store runs here).
#
# Usage: class_e2e.sh <staged bin directory>
# KLAPTOS_SCREENSHOT_DIR: when set, screenshots go there.
set -euo pipefail

. "$(dirname "$0")/e2e-common.sh"
. "$(dirname "$0")/class-common.sh"
command -v sqlite3 >/dev/null || fail "sqlite3 is missing"

# No desktop secret store (no session bus): the passwords go to each pupil's ~/.pgpass.
unset DBUS_SESSION_BUS_ADDRESS PGPASSFILE PGHOST PGPORT PGUSER PGPASSWORD PGDATABASE
export XDG_RUNTIME_DIR=$WORK/run
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

# --- The class, made by the program's command ---------------------------------------------
pg_init
MADE=$(create_class 7.A --teacher ucitelka --pupils zak.a,zak.b) || fail "--create-class failed"
PASS_A=$(password_in "$MADE" zak.a)
PASS_B=$(password_in "$MADE" zak.b)
PASS_T=$(password_in "$MADE" ucitelka)
[[ ${#PASS_A} == 10 && ${#PASS_B} == 10 && ${#PASS_T} == 10 ]] || fail "no passwords in: $MADE"
# Run again with a new pupil: the others keep their passwords.
AGAIN=$(create_class 7.A --teacher ucitelka --pupils zak.a,zak.c) || fail "a second run failed"
grep -q '^  žák *zak\.a *heslo beze změny$' <<<"$AGAIN" || fail "zak.a got a new password: $AGAIN"
[[ -n $(password_in "$AGAIN" zak.c) ]] || fail "zak.c was not added: $AGAIN"
as_login zak.a "$PASS_A" "SELECT 1" >/dev/null || fail "zak.a cannot log in"

# --- Runs of the program ------------------------------------------------------------------
# A fresh copy of the program for the next person, the last one's kept in $1.
next_person() {
    mv "$WORK/app" "$1"
    mkdir -p "$WORK/app"
    cp -r "$BIN_DIR"/. "$WORK/app/"
    rm -f "$INI"
}

is_mapped() {
    grep -q "$1" "/proc/$APP_PID/maps"
}

results_of() {
    [[ $(admin_sql "SELECT count(*) FROM klaptos.results WHERE pupil = '$1'") == "$2" ]]
}

# --- Pupil A: joins, finishes a text while the server runs --------------------------------
export HOME=$WORK/home-a
mkdir -p "$HOME"
export KLAPTOS_CLASS_TRACE=$WORK/trace-a
own_text_ini
start_program
# No class joined: neither the database driver nor libpq nor the secret store is loaded.
for library in libqsqlpsql libpq.so klaptos_keychain; do
    is_mapped "$library" && fail "$library is loaded without a class"
done
join_class zak.a "$PASS_A" password-file
grep -q "^$PG_DIR:$PG_PORT:klaptos:zak.a:" "$HOME/.pgpass" || fail "no line for zak.a in ~/.pgpass"
[[ $(stat -c %a "$HOME/.pgpass") == 600 ]] || fail "~/.pgpass may be read by others"
# A one-minute copy of the first copy text ("Na konci června…"), of which two words are typed,
# the first one wrong: it fails.
mkdir -p "$WORK/app/opisy"
rm -f "$WORK/app/opisy/"*.txt
cp "$(dirname "$0")/../data/opisy/"*.txt "$WORK/app/opisy/"
send_key "$WINDOW" ctrl+t
wait_shown CopySetupDialog
SETUP=$SHOWN
[[ $(xdotool getwindowname "$SETUP") == "Opis na čas" ]] ||
    fail "the copy setup dialog is '$(xdotool getwindowname "$SETUP")'"
wait_active "$SETUP"
# One minute: the first duration; the first text and the school rules are preselected.
send_key "$SETUP" alt+d
send_key "$SETUP" Home
send_key "$SETUP" alt+z
wait_shown CopyTestWindow
TEST_WINDOW=$SHOWN
[[ $(xdotool getwindowname "$TEST_WINDOW") == *"Zahrada v létě" ]] ||
    fail "the test window is '$(xdotool getwindowname "$TEST_WINDOW")'"
wait_active "$TEST_WINDOW"
type_into_field "$TEST_WINDOW" "Ne konci " 0
# The window closes when the copy's minute is over, and the sheet comes.
E2E_WAIT=$((E2E_WAIT + 60)) wait_hidden CopyTestWindow
wait_shown CopyResultSheet
SHEET=$SHOWN
[[ $(xdotool getwindowname "$SHEET") == *"výsledek" ]] ||
    fail "the sheet is '$(xdotool getwindowname "$SHEET")'"
# The sender works on a thread of its own: the server's rows are polled.
wait_until "pupil A's copy did not reach the server" results_of zak.a 1
wait_active "$SHEET"
send_key "$SHEET" alt+z
wait_hidden CopyResultSheet
wait_active "$WINDOW"
# Its figures: the first word wrong (one error, no net keystrokes left), failed.
COPY_ROW=$(admin_sql "SELECT concat_ws('|', kind, title, minutes, rules, keystrokes > 0, gross_speed = keystrokes, errors, net_speed, coalesce(grade::text, '-'), passed, accuracy < 100) FROM klaptos.results WHERE pupil = 'zak.a'")
[[ $COPY_ROW == 'copy_test|Zahrada v létě|1|school|t|t|1|0|-|f|t' ]] || fail "the copy's row is '$COPY_ROW'"

finish_text
wait_until "pupil A's text did not reach the server" results_of zak.a 2
is_mapped libqsqlpsql || fail "the PostgreSQL driver is not the one that sent"
wait_until "the sender did not finish" traced "done 0"
screenshot class-evaluation-sent
quit_from_evaluation
tr -d '\r' <"$INI" | grep -q '^\[Trida\]$' || fail "no [Trida] section"
expect_class_value Server "$PG_DIR"
expect_class_value Jmeno zak.a
expect_class_value Trida 7.A
expect_class_value Ucitel 0
expect_class_value MistoHesla 1
grep -qF "$PASS_A" "$INI" && fail "the password is in the settings file"
[[ $(sqlite3 "$WORK/app/historie.sqlite" 'SELECT COUNT(*) FROM texts') == 1 ]] ||
    fail "pupil A's text is not in the history"
# The history's current version, as its schema (which the adaptive training took a step
# further) declares it.
VERSION=$(grep -o 'kVersion = [0-9]*' "$(dirname "$0")/../../src/ui/history/HistorySchema.h" | grep -o '[0-9]*$')
[[ -n $VERSION ]] || fail "no version in HistorySchema.h"
[[ $(sqlite3 "$WORK/app/historie.sqlite" 'PRAGMA user_version') == "$VERSION" ]] ||
    fail "the history is not at version $VERSION"
[[ $(sqlite3 "$WORK/app/historie.sqlite" 'SELECT COUNT(*) FROM class_queue') == 0 ]] ||
    fail "pupil A's queue is not empty"

# --- Pupil B: joins, then finishes a text while the server is stopped ---------------------
next_person "$WORK/app-a"
export HOME=$WORK/home-b
mkdir -p "$HOME"
export KLAPTOS_CLASS_TRACE=$WORK/trace-b1
own_text_ini
start_program
join_class zak.b "$PASS_B" password-file
quit_program

pg_stop
start_program
finish_text
wait_until "the sender did not find the server stopped" traced "problem unreachable"
screenshot class-evaluation-server-stopped
quit_from_evaluation
[[ $(sqlite3 "$WORK/app/historie.sqlite" 'SELECT COUNT(*) FROM texts') == 1 ]] ||
    fail "pupil B's text is not in the history"
[[ $(sqlite3 "$WORK/app/historie.sqlite" 'SELECT COUNT(*) FROM class_queue') == 1 ]] ||
    fail "pupil B's result is not queued"

# The server is back: the program sends the queue when it starts.
pg_start
export KLAPTOS_CLASS_TRACE=$WORK/trace-b2
start_program
wait_until "pupil B's queued result did not reach the server" results_of zak.b 1
wait_until "the sender did not finish" traced "done 0"
quit_program
[[ $(sqlite3 "$WORK/app/historie.sqlite" 'SELECT COUNT(*) FROM class_queue') == 0 ]] ||
    fail "pupil B's queue is not empty"

# --- The teacher: the class window shows both results once and exports them --------------
next_person "$WORK/app-b"
export HOME=$WORK/home-t
mkdir -p "$HOME"
export KLAPTOS_CLASS_TRACE=$WORK/trace-t
printf '[Options]\r\nCloseQuery=0\r\n' >"$INI"
start_program
join_class ucitelka "$PASS_T" password-file
send_key "$WINDOW" ctrl+u
wait_shown ClassWindow
CLASS_WINDOW=$SHOWN
[[ $(xdotool getwindowname "$CLASS_WINDOW") == "Třída" ]] ||
    fail "the class window is '$(xdotool getwindowname "$CLASS_WINDOW")'"
# The window reads the results on a thread of its own.
wait_until "the class window read no results" traced "read 3"
screenshot class-window
wait_active "$CLASS_WINDOW"
send_key "$CLASS_WINDOW" alt+e
wait_shown QFileDialog
SAVE=$SHOWN
[[ $(xdotool getwindowname "$SAVE") == "Uložit přehled třídy jako CSV" ]] ||
    fail "the save dialog is '$(xdotool getwindowname "$SAVE")'"
wait_active "$SAVE"
send_key "$SAVE" Return
wait_hidden QFileDialog
CSV=$WORK/app/trida-klaptos.csv
wait_until "no CSV file written" test -s "$CSV"
wait_active "$CLASS_WINDOW"
send_key "$CLASS_WINDOW" alt+z
wait_hidden ClassWindow
wait_active "$WINDOW"
quit_program
expect_class_value Ucitel 1

# Each pupil once, with its results and best copy; zak.c, added later, with none.
ROWS=$(tail -n +2 "$CSV" | tr -d '\r' | awk -F';' 'NF > 40 { print $1 ";" $2 ";" $6 ";" $7 }')
[[ $ROWS == $'zak.a;2;0;neprospěl\nzak.b;1;;\nzak.c;0;;' ]] || fail "the CSV holds '$ROWS'"
head -c 3 "$CSV" | od -An -tx1 | grep -q 'ef bb bf' || fail "the CSV has no byte order mark"
[[ $(as_login ucitelka "$PASS_T" "SELECT string_agg(pupil || ':' || kind, ',' ORDER BY pupil, kind) FROM klaptos.results") == \
    "zak.a:copy_test,zak.a:own_text,zak.b:own_text" ]] || fail "the teacher does not read every result once"

# --- Row-level security: pupil A's login and B's row --------------------------------------
[[ $(as_login zak.a "$PASS_A" "SELECT count(*) FROM klaptos.results WHERE pupil = 'zak.b'") == 0 ]] ||
    fail "pupil A reads pupil B's row"
[[ $(as_login zak.a "$PASS_A" "SELECT string_agg(DISTINCT pupil, ',') FROM klaptos.results") == zak.a ]] ||
    fail "pupil A reads more than her own row"
refused() {
    local said
    if said=$(as_login "$@" 2>&1); then
        fail "the server let $1 run: $3"
    fi
    grep -q 'permission denied' <<<"$said" || fail "$1: unexpected answer '$said'"
}
refused zak.a "$PASS_A" "UPDATE klaptos.results SET errors = 0 WHERE pupil = 'zak.b'"
refused zak.a "$PASS_A" "DELETE FROM klaptos.results WHERE pupil = 'zak.b'"
refused zak.a "$PASS_A" "UPDATE klaptos.results SET errors = 0"
refused zak.a "$PASS_A" "INSERT INTO klaptos.results (id, pupil, kind, ended_at, keystrokes, correct, errors, typing_ms, average_speed, absolute_speed, passed) VALUES (gen_random_uuid(), 'zak.b', 'lesson', now(), 1, 1, 0, 1, 1, 1, true)"
refused ucitelka "$PASS_T" "DELETE FROM klaptos.results"
admin_sql "CREATE ROLE cizi LOGIN PASSWORD 'cizi-heslo'" >/dev/null
refused cizi cizi-heslo "SELECT count(*) FROM klaptos.results"
[[ $(admin_sql "SELECT count(*) FROM klaptos.results") == 3 ]] || fail "the rows changed"

echo "class_e2e: all checks passed"
