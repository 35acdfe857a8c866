# A private PostgreSQL server for the class's whole-program runs: a cluster made with initdb
# in a temporary folder, run by an unprivileged user (`nobody` when the run is root, as on
# CI), listening only on a Unix socket in that folder, so that parallel runs and the
# machine's own server never meet. Sourced after e2e-common.sh; stopped and removed at exit.

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
