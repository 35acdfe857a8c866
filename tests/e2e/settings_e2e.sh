#!/usr/bin/env bash
# Whole-program runs with settings files that are not the program's own making: one too
# large to read (reported at start above the splash, and left exactly as it was), and one
# with CR line ends beside the temporary file of a killed write (read, and the leftover
# removed at the next write).
#
# Usage: settings_e2e.sh <staged bin directory>
# KLAPTOS_SCREENSHOT_DIR: when set, screenshots go there.
set -euo pipefail

. "$(dirname "$0")/e2e-common.sh"

report_window() {
    xdotool search --onlyvisible --name '^Nalezena chyba$' | awk 'NR == 1'
}

# Window ids from bottom to top, as the window manager stacks them.
stacking() {
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, / /g'
}

# --- Run 1: a settings file over the size limit ------------------------------------------
{
    printf '; poznámka žáka\r\n[Lekce]\r\nCisloAkt=5\r\n[Konec]\r\n'
    head -c $((16 * 1024 * 1024)) /dev/zero | tr '\0' 'x'
    printf '\r\n[Poslední]\r\nKlic=1\r\n'
} >"$INI"
cp "$INI" "$WORK/big.ini"

(cd "$WORK/app" && exec env LANG=C.UTF-8 ./klaptos >>"$WORK/app.log" 2>&1) &
APP_PID=$!
wait_for 150 report_window || fail "no report of the unreadable settings"
REPORT=$(report_window)
SPLASH=$(xdotool search --onlyvisible --name '^SOkno$' | awk 'NR == 1')
[[ -n $SPLASH ]] || fail "the splash had already closed: nothing to check the report against"
sleep 0.3
screenshot report-above-splash
order=$(stacking)
report_at=$(echo "$order" | tr ' ' '\n' | grep -n -i "^$(printf '0x%x' "$REPORT")$" | cut -d: -f1)
splash_at=$(echo "$order" | tr ' ' '\n' | grep -n -i "^$(printf '0x%x' "$SPLASH")$" | cut -d: -f1)
[[ -n $report_at && -n $splash_at && $report_at -gt $splash_at ]] ||
    fail "the report window is not above the splash (stacking: $order)"
focus_window "$REPORT"
xdotool key Return
wait_for 150 main_window || fail "the main window did not appear"
wait_for 150 splash_gone || fail "the splash window did not close"
sleep 0.3
WINDOW=$(main_window)
focus_window "$WINDOW"
close_program
cmp -s "$INI" "$WORK/big.ini" || fail "the settings file that could not be read was changed"

# --- Run 2: CR line ends, and the leftover of a write killed in an earlier run ----------
printf '[Lekce]\rCislo=5\rCisloAkt=5\rCisloRadku=1\rQWERTZ=1\r[Jiný program]\rklíč=hodnota\r' >"$INI"
LEFTOVER=$INI.~4194300.3
echo partial >"$LEFTOVER"
start_program
[[ $(xdotool getwindowname "$WINDOW") == "Klaptos lekce 5 (QWERTZ)" ]] ||
    fail "caption is '$(xdotool getwindowname "$WINDOW")': the CR line ends were not read"
close_program
[[ ! -e $LEFTOVER ]] || fail "the leftover of a killed write is still there"
expect_value CisloAkt 5
expect_value klíč hodnota
[[ $(grep -c $'\r$' "$INI") == $(wc -l <"$INI") ]] || fail "not every line ends in CR LF"
echo "settings e2e: passed"
