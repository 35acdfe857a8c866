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

launch_program
wait_shown TFormErr
REPORT=$SHOWN
wait_active "$REPORT"
# The report comes while the main window is made, long before the splash may close.
SPLASH=${SHOWN_ID[TSOkno]:-}
[[ -n $SPLASH ]] || fail "no splash before the report: nothing to check the report against"
screenshot report-above-splash
order=$(stacking)
report_at=$(echo "$order" | tr ' ' '\n' | grep -n -i "^$(printf '0x%x' "$REPORT")$" | cut -d: -f1)
splash_at=$(echo "$order" | tr ' ' '\n' | grep -n -i "^$(printf '0x%x' "$SPLASH")$" | cut -d: -f1)
[[ -n $report_at && -n $splash_at && $report_at -gt $splash_at ]] ||
    fail "the report window is not above the splash (stacking: $order)"
send_key "$REPORT" Return
wait_hidden TFormErr
wait_main_window
close_program
cmp -s "$INI" "$WORK/big.ini" || fail "the settings file that could not be read was changed"

# --- Run 2: CR line ends, and the leftover of a write killed in an earlier run ----------
printf '[Lekce]\rCislo=5\rCisloAkt=5\rCisloRadku=1\rQWERTZ=1\r[Jiný program]\rklíč=hodnota\r' >"$INI"
LEFTOVER=$INI.~4194300.3
echo partial >"$LEFTOVER"
start_program
expect_caption "Klaptos lekce 5 (QWERTZ)" # the CR line ends were read
close_program
[[ ! -e $LEFTOVER ]] || fail "the leftover of a killed write is still there"
expect_value CisloAkt 5
expect_value klíč hodnota
[[ $(grep -c $'\r$' "$INI") == $(wc -l <"$INI") ]] || fail "not every line ends in CR LF"
echo "settings e2e: passed"
