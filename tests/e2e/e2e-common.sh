# Shared by the whole-program runs: a private Xvfb with the Czech layout, a fresh copy
# of the staged program, and helpers to start, drive and close it and to read the
# settings file it writes. Sourced by the *_e2e.sh scripts with the bin directory as $1.

BIN_DIR=$(cd "${1:?usage: $0 <staged bin directory>}" && pwd)
SHOTS=${KLAPTOS_SCREENSHOT_DIR:-}
WORK=$(mktemp -d /tmp/klaptos-e2e.XXXXXX)
XVFB_PID=
WM_PID=
APP_PID=

cleanup() {
    if [[ -n $APP_PID ]] && kill -0 "$APP_PID" 2>/dev/null; then
        kill "$APP_PID" 2>/dev/null || true
    fi
    if [[ -n $WM_PID ]]; then
        kill "$WM_PID" 2>/dev/null || true
        wait "$WM_PID" 2>/dev/null || true
    fi
    if [[ -n $XVFB_PID ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    # What the screen showed when it failed, where screenshots are kept.
    if [[ -n ${SHOTS:-} && -n ${DISPLAY:-} ]]; then
        mkdir -p "$SHOTS"
        import -window root "$SHOTS/failed.png" 2>/dev/null || true
    fi
    if [[ -f $WORK/app/klaptos.ini ]]; then
        echo "--- klaptos.ini" >&2
        tr -d '\r' <"$WORK/app/klaptos.ini" >&2
    fi
    if [[ -f $WORK/app.log ]]; then
        echo "--- program output" >&2
        grep -v '^ALSA' "$WORK/app.log" >&2 || true
    fi
    exit 1
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
    local tenths=$1
    shift
    for ((i = 0; i < tenths; i++)); do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

for tool in Xvfb openbox xprop xdotool setxkbmap iconv; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done

# Xvfb picks a free display itself and writes its number once it accepts connections, so
# two runs, or a server of an earlier run still shutting down, can never share a display.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
wait_for 100 test -s "$WORK/display" || fail "Xvfb did not start"
export DISPLAY=:$(tr -d '[:space:]' <"$WORK/display")
wait_for 100 xdpyinfo || fail "Xvfb does not answer on $DISPLAY"
setxkbmap cz || fail "setxkbmap cz failed"

# A window manager, as on a pupil's desktop: it decides focus, stacking and placement, which
# bare Xvfb leaves to the program. It is up once it has announced itself on the root window.
# A script sets E2E_WINDOW_MANAGER=none before sourcing this file to run on bare Xvfb.
if [[ ${E2E_WINDOW_MANAGER:-openbox} == openbox ]]; then
    wm_up() {
        xprop -root _NET_SUPPORTING_WM_CHECK | grep 'window id' >/dev/null
    }
    start_window_manager() {
        openbox --sm-disable >>"$WORK/openbox.log" 2>&1 &
        WM_PID=$!
        wait_for 300 wm_up
    }
    # Once more if the first one did not come up; then what it said, to tell why.
    if ! start_window_manager; then
        kill "$WM_PID" 2>/dev/null || true
        wait "$WM_PID" 2>/dev/null || true
        if ! start_window_manager; then
            cat "$WORK/openbox.log" >&2 || true
            fail "openbox did not start"
        fi
    fi
fi

# A fresh copy of the program and its files: no settings file yet.
mkdir -p "$WORK/app"
cp -r "$BIN_DIR"/. "$WORK/app/"
rm -f "$WORK/app/klaptos.ini"
INI=$WORK/app/klaptos.ini

main_window() {
    # awk reads to the end: a reader that stops early would kill the writer with SIGPIPE.
    xdotool search --onlyvisible --name '^Klaptos' | awk 'NR == 1'
}

splash_gone() {
    ! xdotool search --onlyvisible --name '^SOkno$' >/dev/null 2>&1
}

# Gives a window the keyboard focus, trying again while a loaded machine or the window manager
# is slow to hand it over.
focus_window() {
    local window=$1
    for _ in 1 2 3 4 5 6; do
        if timeout 5 xdotool windowfocus --sync "$window" >/dev/null 2>&1 ||
            timeout 5 xdotool windowactivate --sync "$window" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.5
    done
    fail "window $window did not take the focus"
}

start_program() {
    (cd "$WORK/app" && exec env LANG=C.UTF-8 ./klaptos >>"$WORK/app.log" 2>&1) &
    APP_PID=$!
    wait_for 150 main_window || fail "the main window did not appear"
    # The splash stays at least two seconds; typing starts once it has closed.
    wait_for 150 splash_gone || fail "the splash window did not close"
    sleep 0.3
    WINDOW=$(main_window)
    focus_window "$WINDOW"
    sleep 0.3
}

wait_program_end() {
    wait_for 150 bash -c "! kill -0 $APP_PID" || fail "the program did not end"
    wait "$APP_PID" || fail "the program ended with an error"
    APP_PID=
}

screenshot() {
    if [[ -n $SHOTS ]]; then
        mkdir -p "$SHOTS"
        import -window root "$SHOTS/$1.png"
    fi
}

# Closes with Ctrl+Q and answers the question with "&Ano".
close_program() {
    xdotool key ctrl+q
    wait_for 150 xdotool search --onlyvisible --name '^Potvrzení$' || fail "no close question"
    sleep 0.3
    xdotool key alt+a
    wait_program_end
}

ini_value() {
    tr -d '\r' <"$INI" | awk -v key="$1=" 'index($0, key) == 1 && !found { print substr($0, length(key) + 1); found = 1 }'
}

expect_value() {
    local got
    got=$(ini_value "$1")
    [[ $got == "$2" ]] || fail "$1 is '$got', expected '$2'"
}

expect_sections_in_order() {
    local sections
    sections=$(tr -d '\r' <"$INI" | grep '^\[' | tr '\n' ' ')
    # The window's own sections, then the features' ([Chyby]: errors per key).
    [[ $sections == "[Window] [Font] [Options] [Statistika] [Lekce] [Chyby] " ]] ||
        fail "sections are '$sections'"
}

