#!/usr/bin/env bash
# Whole-program run on a virtual X server with the Czech keyboard layout: types the first
# line of lesson 1 with a mistake, types an own text with Czech and dead-key letters,
# finishes it into the evaluation window, and checks what the settings file says after
# each run, including that a restart comes back where the pupil stopped.
#
# Usage: typing_e2e.sh <staged bin directory>
# KLAPTOS_SCREENSHOT_DIR: when set, screenshots of the main window go there.
set -euo pipefail

BIN_DIR=$(cd "${1:?usage: $0 <staged bin directory>}" && pwd)
SHOTS=${KLAPTOS_SCREENSHOT_DIR:-}
WORK=$(mktemp -d /tmp/klaptos-e2e.XXXXXX)
XVFB_PID=
APP_PID=

cleanup() {
    if [[ -n $APP_PID ]] && kill -0 "$APP_PID" 2>/dev/null; then
        kill "$APP_PID" 2>/dev/null || true
    fi
    if [[ -n $XVFB_PID ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
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

for tool in Xvfb xdotool setxkbmap iconv; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done

# A display that nobody uses.
DISPLAY_NUMBER=
for n in $(seq 71 120); do
    if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then
        DISPLAY_NUMBER=$n
        break
    fi
done
[[ -n $DISPLAY_NUMBER ]] || fail "no free X display"
export DISPLAY=:$DISPLAY_NUMBER
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
wait_for 100 xdpyinfo || wait_for 100 xdotool getdisplaygeometry || fail "Xvfb did not start"
setxkbmap cz || fail "setxkbmap cz failed"

# A fresh copy of the program and its files: no settings file yet.
mkdir -p "$WORK/app"
cp -r "$BIN_DIR"/. "$WORK/app/"
rm -f "$WORK/app/klaptos.ini"
INI=$WORK/app/klaptos.ini

main_window() {
    xdotool search --onlyvisible --name '^Klaptos' | head -1
}

splash_gone() {
    ! xdotool search --onlyvisible --name '^SOkno$' >/dev/null 2>&1
}

start_program() {
    (cd "$WORK/app" && exec env LANG=C.UTF-8 ./klaptos >>"$WORK/app.log" 2>&1) &
    APP_PID=$!
    wait_for 150 main_window || fail "the main window did not appear"
    # The splash stays at least two seconds; typing starts once it has closed.
    wait_for 150 splash_gone || fail "the splash window did not close"
    sleep 0.3
    WINDOW=$(main_window)
    xdotool windowfocus --sync "$WINDOW"
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
    wait_for 50 xdotool search --onlyvisible --name '^Potvrzení$' || fail "no close question"
    sleep 0.3
    xdotool key alt+a
    wait_program_end
}

ini_value() {
    tr -d '\r' <"$INI" | grep -m1 "^$1=" | cut -d= -f2-
}

expect_value() {
    local got
    got=$(ini_value "$1")
    [[ $got == "$2" ]] || fail "$1 is '$got', expected '$2'"
}

expect_sections_in_order() {
    local sections
    sections=$(tr -d '\r' <"$INI" | grep '^\[' | tr '\n' ' ')
    [[ $sections == "[Window] [Font] [Options] [Statistika] [Lekce] " ]] ||
        fail "sections are '$sections'"
}

# --- Run 1: lesson 1 from the staged lesson file, first line with one wrong key ---------
LINE1=$(iconv -f WINDOWS-1250 -t UTF-8 "$WORK/app/KTOSCA.DAT" | tr -d '\r' |
    awk '/^\$LEKCE:01/ { found = 1; next } found == 1 { found = 2; next } found == 2 { print; exit }')
[[ -n $LINE1 ]] || fail "lesson 1 has no first line"
LENGTH=${#LINE1}

start_program
[[ $(xdotool getwindowname "$WINDOW") == "Klaptos lekce 1 (QWERTZ)" ]] ||
    fail "caption is '$(xdotool getwindowname "$WINDOW")'"
screenshot stop-mode
xdotool key F9
sleep 0.2
# A wrong key at the first position: the position stays, Backspace keeps it at 0.
xdotool key x
xdotool key BackSpace
xdotool type --delay 40 -- "$LINE1"
sleep 0.3
screenshot typing
xdotool key Return
sleep 0.3
close_program

[[ -f $INI ]] || fail "no settings file written"
expect_sections_in_order
expect_value CisloAkt 1
expect_value CisloRadku 2
expect_value QWERTZ 1
expect_value UhozyCelkem $((LENGTH + 3))
expect_value UhozyOK $((LENGTH + 1))
expect_value ChCelkem 1
expect_value Name "Courier New"
expect_value IsMaximized 0
cp "$INI" "$WORK/after-run1.ini"

# --- Run 2: a restart comes back on line 2 with the statistics ---------------------------
start_program
screenshot restarted
close_program
cmp -s "$INI" "$WORK/after-run1.ini" || {
    diff <(tr -d '\r' <"$WORK/after-run1.ini") <(tr -d '\r' <"$INI") >&2 || true
    fail "a start and an immediate close changed the settings"
}

# --- Run 3: an own text with Czech letters and dead keys ---------------------------------
TEXT=$WORK/vlastni.txt
printf 'Vlastní text s háčky a čárkami\nčaj ďas óda\nť\n' | iconv -f UTF-8 -t WINDOWS-1250 >"$TEXT"
# The settings as a run that had opened this text would leave them: its position, and the
# statistics of a text not yet typed.
tr -d '\r' <"$INI" | sed -e 's/^CisloAkt=.*/CisloAkt=-1/' -e "s|^UzivSoubor=.*|UzivSoubor=$TEXT|" \
    -e 's/^CisloRadku=.*/CisloRadku=1/' -e 's/^\(ChCelkem\|MsCelkem\|UhozyCelkem\|UhozyOK\)=.*/\1=0/' \
    -e 's/^MsMem=.*/MsMem=/' | sed 's/$/\r/' >"$WORK/own.ini"
cp "$WORK/own.ini" "$INI"

start_program
[[ $(xdotool getwindowname "$WINDOW") == "Klaptos soubor: $TEXT" ]] ||
    fail "caption is '$(xdotool getwindowname "$WINDOW")'"
xdotool key F9
sleep 0.2
# č is a key of the Czech layout; ď and ó come from the dead keys (caron, acute).
xdotool key --delay 60 ccaron a j space dead_caron d a s space dead_acute o d a
sleep 0.3
screenshot typing-own-text
xdotool key Return
sleep 0.3
close_program

expect_sections_in_order
expect_value CisloAkt -1
expect_value UzivSoubor "$TEXT"
expect_value CisloRadku 2
# "čaj ďas óda" is 11 characters, all right, and the Enter that finished the line.
expect_value UhozyCelkem 12
expect_value UhozyOK 12
expect_value ChCelkem 0

# --- Run 4: the last line ends the text in the evaluation window; quit from there -------
start_program
xdotool key F9
sleep 0.2
xdotool key dead_caron t Return
wait_for 50 xdotool search --onlyvisible --name '^Konec souboru' || fail "no evaluation window"
sleep 0.3
screenshot evaluation
xdotool key alt+u
wait_for 50 xdotool search --onlyvisible --name '^Potvrzení$' || fail "no close question"
sleep 0.3
xdotool key alt+a
wait_program_end
expect_sections_in_order
expect_value CisloAkt -1
# What is kept is the state at the start of the last line: ť and its Enter are not in it.
expect_value UhozyCelkem 12
expect_value ChCelkem 0

echo "typing_e2e: all checks passed"
