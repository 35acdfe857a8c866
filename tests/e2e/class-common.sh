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

window_named() {
    xdotool search --onlyvisible --name "$1" | awk 'NR == 1'
}

window_gone() {
    ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1
}

# A key of the settings file's [Trida] section: other sections have keys of the same name
# ([Opis] Jmeno).
expect_class_value() {
    local got
    got=$(tr -d '\r' <"$INI" | awk -F= -v key="$1" '/^\[/ { inside = ($0 == "[Trida]") }
        inside && $1 == key { print substr($0, length(key) + 2); exit }')
    [[ $got == "$2" ]] || fail "[Trida] $1 is '$got', expected '$2'"
}

# A whole line of the class's trace (KLAPTOS_CLASS_TRACE).
traced() {
    grep -qx "$1" "$KLAPTOS_CLASS_TRACE"
}

# The left edge of the program's open popup menu, if one is open.
popup_left() {
    local id
    for id in $(xdotool search --onlyvisible --class klaptos 2>/dev/null); do
        [[ $id == "$WINDOW" ]] && continue
        xdotool getwindowgeometry --shell "$id" | awk -F= '/^X=/ { print $2 }'
        return 0
    done
    return 1
}

popup_moved_from() {
    local left
    left=$(popup_left) && [[ $left != "$1" ]]
}

# "Připojit ke třídě…" in the menu Program: Alt+P opens "Psaní" (the first menu with P), the
# menu to its right is "Program", and P chooses the item there.
open_join_dialog() {
    focus_window "$WINDOW"
    xdotool key alt+p
    wait_for 100 popup_left >/dev/null || fail "the menu Psaní did not open"
    local psani
    psani=$(popup_left)
    xdotool key Right
    wait_for 100 popup_moved_from "$psani" || fail "the menu Program did not open"
    xdotool key p
    wait_for 150 window_named '^Připojení ke třídě$' >/dev/null || fail "the join dialog did not open"
}

# Joins with login $1 and password $2, waits until the password is kept in place $3
# ("password-file" or "secret-store") and closes the dialog.
join_class() {
    open_join_dialog
    focus_window "$(window_named '^Připojení ke třídě$')"
    xdotool type --delay 15 -- "$PG_DIR"
    xdotool key Tab Tab Tab
    xdotool type --delay 15 -- "$1"
    xdotool key Tab
    xdotool type --delay 15 -- "$2"
    xdotool key Return
    wait_for 300 traced "joined $3" || fail "$1: the password was not kept ($3)"
    screenshot "class-joined-$1"
    xdotool key Escape
    wait_for 150 window_gone '^Připojení ke třídě$' || fail "the join dialog stayed open"
    focus_window "$WINDOW"
}

# Types the own text (one line) to its end; the evaluation opens.
finish_text() {
    xdotool key F9
    xdotool key --delay 40 a h o j Return
    wait_for 150 window_named '^Konec souboru' >/dev/null || fail "no evaluation window"
}

# Quits from the evaluation ("Ukončit program"; no close question).
quit_from_evaluation() {
    focus_window "$(window_named '^Konec souboru')"
    xdotool key alt+u
    wait_program_end
}
