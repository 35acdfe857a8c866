# Shared by the whole-program runs: a private Xvfb with the Czech layout, a fresh copy of the
# staged program, and helpers to start, drive and close it and to read the settings file it
# writes. Sourced by the *_e2e.sh scripts with the bin directory as $1.
#
# The scripts never wait for the clock: the program writes a line to its trace (KLAPTOS_TRACE)
# for every key it handled and every window it showed or hid, once it is done with them, and
# the helpers wait for those lines, or for a condition of the X server, within E2E_WAIT seconds.

BIN_DIR=$(cd "${1:?usage: $0 <staged bin directory>}" && pwd)
SHOTS=${KLAPTOS_SCREENSHOT_DIR:-}
WORK=$(mktemp -d /tmp/klaptos-e2e.XXXXXX)
E2E_WAIT=${E2E_WAIT:-30} # seconds: a busy machine is slow, a fault never comes
# Strings are indexed by character (bash's own locale; the program's environment is unchanged).
LC_ALL=C.UTF-8
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

# Where in the test script the helper that failed was called.
script_line() {
    local i
    for ((i = 1; i < ${#BASH_SOURCE[@]}; i++)); do
        if [[ ${BASH_SOURCE[i]} != *e2e-common.sh ]]; then
            echo "$(basename "${BASH_SOURCE[i]}") line ${BASH_LINENO[i - 1]}"
            return
        fi
    done
}

fail() {
    echo "FAIL: $* ($(script_line))" >&2
    # What the screen showed when it failed, where screenshots are kept.
    if [[ -n ${SHOTS:-} && -n ${DISPLAY:-} ]]; then
        mkdir -p "$SHOTS"
        import -window root "$SHOTS/failed.png" 2>/dev/null || true
    fi
    if [[ -n ${TRACE:-} && -f $TRACE ]]; then
        echo "--- the program's trace, last lines" >&2
        tail -n 15 "$TRACE" >&2
    fi
    if [[ -f $WORK/app/klaptos.ini ]]; then
        echo "--- klaptos.ini" >&2
        head -c 4000 "$WORK/app/klaptos.ini" | tr -d '\r' >&2
    fi
    if [[ -f $WORK/app.log ]]; then
        echo "--- program output" >&2
        grep -v '^ALSA' "$WORK/app.log" >&2 || true
    fi
    exit 1
}

now_us() {
    echo "${EPOCHREALTIME/./}"
}

# Waits until the command after $1 succeeds; fails after E2E_WAIT seconds, saying that $1 did
# not happen. Between two tries the condition is polled again after a short pause.
wait_until() {
    local what=$1 deadline
    shift
    deadline=$(($(now_us) + E2E_WAIT * 1000000))
    until "$@" >/dev/null 2>&1; do
        (($(now_us) < deadline)) || fail "$what, not within $E2E_WAIT s"
        sleep 0.05
    done
}

for tool in Xvfb openbox xprop xdotool xmodmap setxkbmap iconv; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done

# Xvfb picks a free display itself and writes its number once it accepts connections, so
# two runs, or a server of an earlier run still shutting down, can never share a display.
# -noreset: by default the server starts afresh whenever its last client leaves, and a client
# connecting in that moment (openbox after xdpyinfo) is turned away.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
wait_until "Xvfb did not start" test -s "$WORK/display"
export DISPLAY=:$(tr -d '[:space:]' <"$WORK/display")
wait_until "Xvfb does not answer on $DISPLAY" xdpyinfo

# A window manager, as on a pupil's desktop: it decides focus, stacking and placement. It is up
# once it has announced itself on the root window.
wm_up() {
    if ! kill -0 "$WM_PID" 2>/dev/null; then
        return 0 # no use waiting: it ended
    fi
    xprop -root _NET_SUPPORTING_WM_CHECK | grep 'window id' >/dev/null
}
openbox --sm-disable >>"$WORK/openbox.log" 2>&1 &
WM_PID=$!
wait_until "openbox did not start" wm_up
kill -0 "$WM_PID" 2>/dev/null || fail "openbox ended: $(cat "$WORK/openbox.log")"

# The Czech layout, and once, before any program starts, keys for the characters it lacks
# (the Czech quotation marks), on key codes that have none: xdotool then finds every character
# on a key and never changes the keymap while a program reads keys.
setxkbmap cz || fail "setxkbmap cz failed"
mapfile -t FREE_KEYCODES < <(xmodmap -pke | awk 'NF == 3 && $2 > 8 { print $2 }')
((${#FREE_KEYCODES[@]} >= 2)) || fail "no free key codes for the quotation marks"
xmodmap -e "keycode ${FREE_KEYCODES[0]} = doublelowquotemark" \
    -e "keycode ${FREE_KEYCODES[1]} = leftdoublequotemark" || fail "xmodmap failed"
# The key names on the first two levels of each key: what xdotool can press with Shift at most.
declare -A ON_A_KEY=()
while read -r first second; do
    ON_A_KEY[$first]=1
    ON_A_KEY[$second]=1
done < <(xmodmap -pke | awk 'NF >= 4 { print $4, ($5 == "" ? $4 : $5) }')

# A fresh copy of the program and its files: no settings file yet.
mkdir -p "$WORK/app"
cp -r "$BIN_DIR"/. "$WORK/app/"
rm -f "$WORK/app/klaptos.ini"
INI=$WORK/app/klaptos.ini

# --- The program's trace ------------------------------------------------------------------
TRACE=
TRACE_FD=
TRACE_LINE=
TRACE_PARTIAL=
RUNS=0
declare -A SHOWN_ID=() # the X window of each window class the trace saw shown last

# A new, empty trace for the next program run, read from its start.
new_trace() {
    RUNS=$((RUNS + 1))
    mkdir -p "$WORK/traces"
    TRACE=$WORK/traces/$RUNS.txt
    : >"$TRACE"
    if [[ -n $TRACE_FD ]]; then
        exec {TRACE_FD}<&-
    fi
    exec {TRACE_FD}<"$TRACE"
    TRACE_PARTIAL=
    SHOWN_ID=()
}

# Reads the trace's next whole line into TRACE_LINE, polling until the deadline $1 (in µs).
next_trace_line() {
    local chunk
    while :; do
        if IFS= read -r -u "$TRACE_FD" chunk; then
            TRACE_LINE=$TRACE_PARTIAL$chunk
            TRACE_PARTIAL=
            if [[ $TRACE_LINE =~ ^shown\ ([^ ]+)\ ([0-9]+) ]]; then
                SHOWN_ID[${BASH_REMATCH[1]}]=${BASH_REMATCH[2]}
            fi
            return 0
        fi
        TRACE_PARTIAL+=$chunk
        (($(now_us) < $1)) || return 1
        sleep 0.01
    done
}

# Reads on in the trace up to the first line that matches the extended regular expression $1;
# fails saying that $2 did not happen.
wait_trace() {
    local deadline
    deadline=$(($(now_us) + E2E_WAIT * 1000000))
    while next_trace_line "$deadline"; do
        [[ $TRACE_LINE =~ $1 ]] && return 0
    done
    fail "$2: no trace line like '$1' within $E2E_WAIT s"
}

# Waits until the program has shown a window of class $1; SHOWN is then its X window.
wait_shown() {
    wait_trace "^shown $1 " "no $1 window"
    SHOWN=${SHOWN_ID[$1]}
}

# Waits until the program has shown a window whose title matches the extended regular
# expression $1 (a window of Qt's own, whose class a script does not know); SHOWN is its X window.
wait_shown_titled() {
    wait_trace "^shown [^ ]+ ([0-9]+) $1" "no window titled '$1'"
    SHOWN=${BASH_REMATCH[1]}
}

wait_hidden() {
    wait_trace "^hidden $1 " "the $1 window stayed open"
}

is_active() {
    [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]
}

# Waits until window $1 is the active one: the window manager hands the focus over to a window
# shown, or back to the window below one closed.
wait_active() {
    is_active "$1" && return 0
    wait_until "window $1 ($(xdotool getwindowname "$1" 2>/dev/null)) did not become active" \
        is_active "$1"
}

# Makes window $1 the active one, as a pupil's click would.
activate_window() {
    xdotool windowactivate "$1" >/dev/null 2>&1 || true
    wait_active "$1"
}

# Sends one key to window $1 once it is the active window: xdotool key names, a chord such as
# ctrl+q, or the keys of one character such as "dead_caron d". Waits until the program traced
# that it handled the key; KEY_DID is then what the key did ("right", "wrong, f expected",
# "line finished", "next f", "ActionContinue, typing", "STOP", "-").
send_key() {
    local window=$1 key commands=()
    shift
    # Each key is pressed in the window and released wherever the focus has gone meanwhile: a
    # key that opens a dialog must not stay pressed for the keys that follow.
    for key in "$@"; do
        commands+=(keydown --delay 0 --window "$window" "$key" keyup --delay 0 "$key")
    done
    wait_active "$window"
    xdotool "${commands[@]}" || fail "xdotool could not send '$*'"
    wait_trace '^key ' "the key '$*' was not handled"
    [[ $TRACE_LINE =~ ^key\ (.+)\ in\ ([^ ]+):\ (.*)$ ]] || fail "a key line without a result: $TRACE_LINE"
    KEY_DID=${BASH_REMATCH[3]}
}

# Sends a key as send_key does and fails unless it did $2.
send_key_doing() {
    local window=$1 expected=$2
    shift 2
    send_key "$window" "$@"
    [[ $KEY_DID == "$expected" ]] || fail "the key '$*' did '$KEY_DID', expected '$expected': $TRACE_LINE"
}

# The xdotool keys that type character $1 on the Czech layout, into CHAR_KEYS: a letter of its own
# key, Shift for capitals, a dead key before a letter the layout has no key for.
keys_of() {
    local c=$1
    case $c in
    [a-zA-Z0-9]) CHAR_KEYS=("$c") ;;
    ' ') CHAR_KEYS=(space) ;;
    .) CHAR_KEYS=(period) ;;
    ,) CHAR_KEYS=(comma) ;;
    '!') CHAR_KEYS=(exclam) ;;
    '?') CHAR_KEYS=(question) ;;
    :) CHAR_KEYS=(colon) ;;
    -) CHAR_KEYS=(minus) ;;
    _) CHAR_KEYS=(underscore) ;;
    /) CHAR_KEYS=(slash) ;;
    '"') CHAR_KEYS=(quotedbl) ;;
    "'") CHAR_KEYS=(apostrophe) ;;
    ';') CHAR_KEYS=(semicolon) ;;
    '(') CHAR_KEYS=(parenleft) ;;
    ')') CHAR_KEYS=(parenright) ;;
    á) CHAR_KEYS=(aacute) ;;
    č) CHAR_KEYS=(ccaron) ;;
    é) CHAR_KEYS=(eacute) ;;
    ě) CHAR_KEYS=(ecaron) ;;
    í) CHAR_KEYS=(iacute) ;;
    ř) CHAR_KEYS=(rcaron) ;;
    š) CHAR_KEYS=(scaron) ;;
    ú) CHAR_KEYS=(uacute) ;;
    ů) CHAR_KEYS=(uring) ;;
    ý) CHAR_KEYS=(yacute) ;;
    ž) CHAR_KEYS=(zcaron) ;;
    „) CHAR_KEYS=(doublelowquotemark) ;;
    “) CHAR_KEYS=(leftdoublequotemark) ;;
    ď) CHAR_KEYS=(dead_caron d) ;;
    ť) CHAR_KEYS=(dead_caron t) ;;
    ň) CHAR_KEYS=(dead_caron n) ;;
    ó) CHAR_KEYS=(dead_acute o) ;;
    Č) CHAR_KEYS=(dead_caron C) ;;
    Ř) CHAR_KEYS=(dead_caron R) ;;
    Š) CHAR_KEYS=(dead_caron S) ;;
    Ž) CHAR_KEYS=(dead_caron Z) ;;
    Á) CHAR_KEYS=(dead_acute A) ;;
    É) CHAR_KEYS=(dead_acute E) ;;
    Í) CHAR_KEYS=(dead_acute I) ;;
    Ú) CHAR_KEYS=(dead_acute U) ;;
    *) fail "no key for '$c' on the Czech layout" ;;
    esac
    local key
    for key in "${CHAR_KEYS[@]}"; do
        [[ -n ${ON_A_KEY[$key]:-} ]] || fail "'$c' needs $key, which is on no key of the layout's first two levels"
    done
}

# Types the characters of $2 into window $1, one key (or dead key and letter) at a time; each
# must be right.
type_text() {
    local window=$1 text=$2 i
    for ((i = 0; i < ${#text}; i++)); do
        keys_of "${text:i:1}"
        send_key_doing "$window" right "${CHAR_KEYS[@]}"
    done
}

# Types the characters of $2 into the text field that has the focus in window $1 (a copy's text
# area, a file name), which holds $3 characters before (0 when they are all selected, to be
# replaced), a word at a time: one xdotool call sends a word's keys, then each key's trace line
# must show the field one character longer. A copy's minute is not spent on starting xdotool.
type_into_field() {
    local window=$1 text=$2 length=$3 word i key commands
    while [[ -n $text ]]; do
        word=${text%%" "*}
        [[ $word == "$text" ]] || word+=" "
        text=${text:${#word}}
        commands=()
        for ((i = 0; i < ${#word}; i++)); do
            keys_of "${word:i:1}"
            for key in "${CHAR_KEYS[@]}"; do
                commands+=(keydown --delay 0 --window "$window" "$key" keyup --delay 0 "$key")
            done
        done
        wait_active "$window"
        xdotool "${commands[@]}" || fail "xdotool could not type '$word'"
        for ((i = 0; i < ${#word}; i++)); do
            length=$((length + 1))
            wait_trace '^key ' "'${word:i:1}' of '$word' was not handled"
            [[ $TRACE_LINE == *": text $length" ]] ||
                fail "'${word:i:1}' of '$word' did not make the field $length characters long: $TRACE_LINE"
        done
    done
}

# Types $2 into the field that has the focus in window $1 with all of its text selected (a file
# name in a dialog).
enter_text() {
    send_key "$1" ctrl+a
    type_into_field "$1" "$2" 0
}

# Types line $2 and Enter, which must finish it.
type_line() {
    type_text "$1" "$2"
    send_key_doing "$1" "line finished" Return
}

# --- Starting and closing the program --------------------------------------------------------

# Starts the program with a new trace; waits for nothing.
launch_program() {
    new_trace
    (cd "$WORK/app" && exec env LANG=C.UTF-8 KLAPTOS_TRACE="$TRACE" ./klaptos >>"$WORK/app.log" 2>&1) &
    APP_PID=$!
}

# Waits for the main window and for the splash to close (typing starts then); WINDOW is the
# main window, and the active one.
wait_main_window() {
    wait_shown TFormHOknoPM
    WINDOW=$SHOWN
    wait_hidden TSOkno
    wait_active "$WINDOW"
}

start_program() {
    launch_program
    wait_main_window
}

wait_program_end() {
    wait_until "the program did not end" bash -c "! kill -0 $APP_PID"
    wait "$APP_PID" || fail "the program ended with an error"
    APP_PID=
}

caption() {
    xdotool getwindowname "$WINDOW"
}

expect_caption() {
    [[ $(caption) == "$1" ]] || fail "the caption is '$(caption)', expected '$1'"
}

screenshot() {
    if [[ -n $SHOTS ]]; then
        mkdir -p "$SHOTS"
        import -window root "$SHOTS/$1.png"
    fi
}

# Closes with Ctrl+Q and answers the question with "&Ano".
close_program() {
    send_key "$WINDOW" ctrl+q
    wait_shown TFormCQuery
    send_key "$SHOWN" alt+a
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
