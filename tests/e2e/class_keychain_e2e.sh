#!/usr/bin/env bash
# Whole-program run of a class's password in the desktop's secret store: a private D-Bus
# session with GNOME Keyring (unlocked, secrets only) stands for the pupil's desktop. The
# pupil joins through "Připojit ke třídě…": the password goes to the keyring, not to
# ~/.pgpass and not to the settings file. A text finished while the server is stopped is
# queued; with the server back, the next start of the program takes the password from the
# keyring and sends it.
#
# Usage: class_keychain_e2e.sh <staged bin directory>
# KLAPTOS_SCREENSHOT_DIR: when set, screenshots go there.
set -euo pipefail

. "$(dirname "$0")/e2e-common.sh"
. "$(dirname "$0")/class-common.sh"
for tool in dbus-daemon gnome-keyring-daemon; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done

unset PGPASSFILE PGHOST PGPORT PGUSER PGPASSWORD PGDATABASE

pg_init
MADE=$(create_class 7.B --teacher ucitel.b --pupils zak.d) || fail "--create-class failed"
PASSWORD=$(password_in "$MADE" zak.d)
[[ -n $PASSWORD ]] || fail "no password in: $MADE"

# The desktop session: its own bus and an unlocked keyring, both ended with the test.
export HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
BUS_PID=
KEYRING_PID=
session_cleanup() {
    [[ -n $KEYRING_PID ]] && kill "$KEYRING_PID" 2>/dev/null
    [[ -n $BUS_PID ]] && kill "$BUS_PID" 2>/dev/null
    pg_cleanup
}
trap session_cleanup EXIT
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$WORK/bus-address" 4>"$WORK/bus-pid"
BUS_PID=$(tr -d '[:space:]' <"$WORK/bus-pid")
DBUS_SESSION_BUS_ADDRESS=$(tr -d '\n' <"$WORK/bus-address")
export DBUS_SESSION_BUS_ADDRESS
printf 'klicenka' | gnome-keyring-daemon --foreground --unlock --components=secrets \
    >"$WORK/keyring.log" 2>&1 &
KEYRING_PID=$!
keyring_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.freedesktop.secrets | grep -q 'boolean true'
}
keyring_up_or_ended() {
    kill -0 "$KEYRING_PID" 2>/dev/null || return 0 # no use waiting: it ended
    keyring_up
}
wait_until "the keyring did not come up" keyring_up_or_ended
keyring_up || fail "the keyring ended: $(cat "$WORK/keyring.log")"

own_text_ini
export KLAPTOS_CLASS_TRACE=$WORK/trace

# --- Joining: the password goes to the keyring --------------------------------------------
start_program
join_class zak.d "$PASSWORD" secret-store
quit_program
[[ ! -e $HOME/.pgpass ]] || fail "the password went to ~/.pgpass as well"
expect_class_value MistoHesla 0
grep -qF "$PASSWORD" "$INI" && fail "the password is in the settings file"

# --- A text while the server is stopped; sent with the keyring's password later -----------
pg_stop
start_program
finish_text
wait_until "the sender did not find the server stopped" traced "problem unreachable"
quit_from_evaluation

pg_start
: >"$KLAPTOS_CLASS_TRACE"
start_program
wait_until "the queued result was not sent with the keyring's password" traced "unqueued 1"
quit_program
[[ $(admin_sql "SELECT count(*) FROM klaptos.results WHERE pupil = 'zak.d'") == 1 ]] ||
    fail "the result is not on the server once"

echo "class_keychain_e2e: all checks passed"
