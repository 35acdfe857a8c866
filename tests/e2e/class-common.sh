# Shared by the class's whole-program runs, sourced after e2e-common.sh: a private PostgreSQL
# server (a cluster made with initdb in a temporary folder, run by an unprivileged user,
# `nobody` when the run is root as on CI, listening only on a Unix socket in that folder, so
# that parallel runs and the machine's own server never meet; stopped and removed at exit),
# and the steps a pupil takes in the program: joining the class, finishing a short own text.

PG_BIN=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[[ -n $PG_BIN && -x $PG_BIN/initdb ]] || fail "PostgreSQL's server is missing (apt install postgresql)"
command -v psql >/dev/null || fail "psql is missing"
PG_DIR=$(mktemp -d /tmp/klaptos-pg.XXXXXX)
PG_PORT=5432
PG_ADMIN=klaptos_admin
PG_ADMIN_PASSWORD=spravce-$$
if [[ $(id -u) == 0 ]]; then
    chown nobody "$PG_DIR"
    pg_run() { (cd / && runuser -u nobody -- "$@"); }
else
    pg_run() { (cd / && "$@"); }
fi

pg_cleanup() {
    pg_run "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -m immediate -w stop >/dev/null 2>&1 || true
    rm -rf "$PG_DIR"
    cleanup
}
trap pg_cleanup EXIT

pg_fail() {
    echo "--- PostgreSQL's log" >&2
    cat "$PG_DIR/server.log" "$PG_DIR/initdb.log" >&2 2>/dev/null || true
    fail "$@"
}

pg_init() {
    printf '%s\n' "$PG_ADMIN_PASSWORD" >"$PG_DIR/pwfile"
    chmod 644 "$PG_DIR/pwfile"
    pg_run "$PG_BIN/initdb" -D "$PG_DIR/data" -U "$PG_ADMIN" --auth=scram-sha-256 \
        --pwfile="$PG_DIR/pwfile" -E UTF8 --no-locale >"$PG_DIR/initdb.log" 2>&1 ||
        pg_fail "initdb failed"
    pg_start
    admin_sql "CREATE DATABASE klaptos" postgres >/dev/null || pg_fail "no database made"
}

pg_start() {
    pg_run "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -l "$PG_DIR/server.log" -w \
        -o "-k $PG_DIR -c listen_addresses='' -p $PG_PORT" start >/dev/null ||
        pg_fail "the server did not start"
}

pg_stop() {
    pg_run "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -m fast -w stop >/dev/null ||
        pg_fail "the server did not stop"
}

# SQL as a login (`as_login LOGIN PASSWORD SQL [DATABASE]`): prints the rows, fails with the
# server's words on stderr when it refuses.
as_login() {
    PGPASSWORD=$2 psql -h "$PG_DIR" -p "$PG_PORT" -U "$1" -d "${4:-klaptos}" -XAtq \
        -v ON_ERROR_STOP=1 -c "$3"
}

admin_sql() {
    as_login "$PG_ADMIN" "$PG_ADMIN_PASSWORD" "$1" "${2:-klaptos}"
}

# The program's own command, without a display, as the database's superuser through libpq's
# environment. Prints what the command printed.
create_class() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM PGHOST="$PG_DIR" PGPORT="$PG_PORT" \
        PGUSER="$PG_ADMIN" PGPASSWORD="$PG_ADMIN_PASSWORD" PGDATABASE=klaptos \
        "$WORK/app/klaptos" --create-class "$@"
}

# The password the command printed for a login.
password_in() {
    awk -v login="$2" '$2 == login && $3 == "heslo:" { print $4 }' <<<"$1"
}

# --- The program ---------------------------------------------------------------------------

# An own text of one short line, and a settings file that opens it with no close question.
CLASS_TEXT=$WORK/trida.txt
printf 'Kratky text pro tridu\nahoj\n' >"$CLASS_TEXT"
own_text_ini() {
    printf '[Options]\r\nCloseQuery=0\r\n[Lekce]\r\nCisloAkt=-1\r\nUzivSoubor=%s\r\nCisloRadku=1\r\n' \
        "$CLASS_TEXT" >"$INI"
}

# A key of the settings file's [Trida] section: other sections have keys of the same name
# ([Opis] Jmeno).
expect_class_value() {
    local got
    got=$(tr -d '\r' <"$INI" | awk -F= -v key="$1" '/^\[/ { inside = ($0 == "[Trida]") }
        inside && $1 == key { print substr($0, length(key) + 2); exit }')
    [[ $got == "$2" ]] || fail "[Trida] $1 is '$got', expected '$2'"
}

# A whole line of the class's trace (KLAPTOS_CLASS_TRACE): the sender's steps run on a thread
# of their own and are no key or window of the program's trace, so a script polls for them.
traced() {
    grep -qx "$1" "$KLAPTOS_CLASS_TRACE"
}

# "Připojit ke třídě…" in the menu Program: Alt+P opens "Psaní" (the first menu with P), the
# menu to its right is "Program", and P chooses the item there. A popup menu takes no focus
# from the window manager: the main window stays the active one and the keys reach the menu.
open_join_dialog() {
    activate_window "$WINDOW"
    send_key "$WINDOW" alt+p
    wait_shown QMenu
    local psani=$SHOWN
    send_key "$WINDOW" Right
    wait_hidden QMenu
    wait_shown QMenu
    [[ $SHOWN != "$psani" ]] || fail "the menu Program did not open"
    send_key "$WINDOW" p
    wait_shown JoinDialog
    JOIN=$SHOWN
    [[ $(xdotool getwindowname "$JOIN") == "Připojení ke třídě" ]] ||
        fail "the join dialog is '$(xdotool getwindowname "$JOIN")'"
    wait_active "$JOIN"
}

# Joins with login $1 and password $2, waits until the password is kept in place $3
# ("password-file" or "secret-store") and closes the dialog.
join_class() {
    open_join_dialog
    # Server, then past the port and the database (as the teacher gave them) to the login.
    enter_text "$JOIN" "$PG_DIR"
    send_key "$JOIN" Tab
    send_key "$JOIN" Tab
    send_key "$JOIN" Tab
    enter_text "$JOIN" "$1"
    send_key "$JOIN" Tab
    enter_text "$JOIN" "$2"
    send_key "$JOIN" Return
    # The dialog tries the login on the server before it keeps the password.
    wait_until "$1: the password was not kept ($3)" traced "joined $3"
    screenshot "class-joined-$1"
    send_key "$JOIN" Escape
    wait_hidden JoinDialog
    wait_active "$WINDOW"
}

# Types the own text (one line) to its end; the evaluation opens (EVALUATION).
finish_text() {
    send_key "$WINDOW" F9
    type_line "$WINDOW" ahoj
    wait_shown TFormKonec
    EVALUATION=$SHOWN
    [[ $(xdotool getwindowname "$EVALUATION") == "Konec souboru"* ]] ||
        fail "the evaluation is '$(xdotool getwindowname "$EVALUATION")'"
}

# Quits from the evaluation ("Ukončit program"; no close question).
quit_from_evaluation() {
    wait_active "$EVALUATION"
    send_key "$EVALUATION" alt+u
    wait_program_end
}

# Closes the program with Ctrl+Q (no close question: CloseQuery=0).
quit_program() {
    send_key "$WINDOW" ctrl+q
    wait_program_end
}
