#!/usr/bin/env bash
# The program killed while it sends to the class database, 20 times: each run finishes a
# short own text (its result is queued in the history's database before the evaluation
# shows), and the sender is held for good after one step of a send, taken in turn: just
# connected, about to insert, inserted but not committed, committed but not forgotten
# locally, forgotten. KLAPTOS_CLASS_HOLD holds it, KLAPTOS_CLASS_TRACE tells the test that it
# got there; then SIGKILL. A last run without a hold sends what is left. Every text typed is
# then on the server exactly once, and the queue is empty.
#
# Usage: class_kill_e2e.sh <staged bin directory>
set -euo pipefail

. "$(dirname "$0")/e2e-common.sh"
. "$(dirname "$0")/class-common.sh"
command -v sqlite3 >/dev/null || fail "sqlite3 is missing"

unset DBUS_SESSION_BUS_ADDRESS PGPASSFILE PGHOST PGPORT PGUSER PGPASSWORD PGDATABASE
export XDG_RUNTIME_DIR=$WORK/run
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
# Not RUNS: e2e-common.sh counts the program's runs (one trace each) in it.
KILLS=20
STEPS=(connected sending inserted committed unqueued)
DB=$WORK/app/historie.sqlite

pg_init
MADE=$(create_class 7.K --teacher ucitel.k --pupils zak.k) || fail "--create-class failed"
PASSWORD=$(password_in "$MADE" zak.k)
[[ -n $PASSWORD ]] || fail "no password in: $MADE"

# The pupil joined the class before: the section and the password file as the join dialog
# leaves them (class_e2e.sh joins through the dialog).
export HOME=$WORK/home
mkdir -p "$HOME"
printf '%s:%s:klaptos:zak.k:%s\n' "$PG_DIR" "$PG_PORT" "$PASSWORD" >"$HOME/.pgpass"
chmod 600 "$HOME/.pgpass"
write_ini() {
    own_text_ini
    printf '[Trida]\r\nServer=%s\r\nPort=%s\r\nDatabaze=klaptos\r\nJmeno=zak.k\r\nTrida=7.K\r\nUcitel=0\r\nMistoHesla=1\r\n' \
        "$PG_DIR" "$PG_PORT" >>"$INI"
}

# A line of the trace that starts with the step held at.
reached() {
    grep -q "^$2\( \|\$\)" "$1"
}

stored() {
    admin_sql "SELECT count(*) FROM klaptos.results"
}

for ((run = 1; run <= KILLS; run++)); do
    step=${STEPS[$(((run - 1) % ${#STEPS[@]}))]}
    export KLAPTOS_CLASS_TRACE=$WORK/trace-$run KLAPTOS_CLASS_HOLD=$step
    : >"$KLAPTOS_CLASS_TRACE"
    write_ini
    start_program
    # The text is finished whether or not results left by the run before are being sent.
    finish_text
    # The sender's steps run on a thread of their own: its trace is polled.
    wait_until "run $run: the send never got to '$step'" reached "$KLAPTOS_CLASS_TRACE" "$step"
    kill -KILL "$APP_PID"
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=
    echo "run $run: killed after '$step' ($(grep -c '^queued' "$KLAPTOS_CLASS_TRACE") queued," \
        "$(sqlite3 "$DB" 'SELECT COUNT(*) FROM class_queue') waiting, $(stored) on the server)"
done

# The last run sends what the kills left.
export KLAPTOS_CLASS_TRACE=$WORK/trace-last
unset KLAPTOS_CLASS_HOLD
write_ini
start_program
wait_until "the last run did not empty the queue" traced "done 0"
quit_program

TEXTS=$(sqlite3 "$DB" 'SELECT COUNT(*) FROM texts')
[[ $TEXTS == "$KILLS" ]] || fail "the history holds $TEXTS texts, expected $KILLS"
[[ $(sqlite3 "$DB" 'SELECT COUNT(*) FROM class_queue') == 0 ]] || fail "results are still queued"
[[ $(stored) == "$KILLS" ]] || fail "the server holds $(stored) results, expected $KILLS"
# Each result once: as many ids as rows, all of them the pupil's texts.
[[ $(admin_sql "SELECT count(DISTINCT id) FROM klaptos.results") == "$KILLS" ]] ||
    fail "a result is on the server twice"
[[ $(admin_sql "SELECT count(*) FROM klaptos.results WHERE pupil = 'zak.k' AND kind = 'own_text'") == "$KILLS" ]] ||
    fail "the results are not all zak.k's own texts"

echo "class_kill_e2e: all checks passed ($KILLS kills)"
