#!/usr/bin/env bash
# Measures the staged program as a whole process under Xvfb with the GUI probes of
# tools/measure:
#   startup   time to the first window, resident memory 3 s later, idle CPU in STOP mode
#   keys      CPU per keystroke while typing lesson 1 (every key right, so every key moves
#             on), idle CPU in typing mode
#   bare-startup, bare-keys   the same for the bare Qt window (tools/bare-qt), the reference;
#             BARE_SIZE=804x711 gives it the size of the program's window with its keyboard
#   keyboard  keys with the on-screen keyboard on, off and the bare Qt window, then start-up
#             with the keyboard on and off, one after the other
# Usage: scripts/measure.sh [startup|keys|all|bare-startup|bare-keys|keyboard]
#   GUI_TOOLS=<dir> for other probes than tools/measure; RUNS=n runs each;
#   KEYBOARD=0|1 starts each run from a settings file with the keyboard off or on
#   (without it, no settings file: the keyboard is on, as on a first start)
set -euo pipefail
cd "$(dirname "$0")/.."
tools=${GUI_TOOLS:-$PWD/tools/measure}
what=${1:-all}
[ -x build/bin/klaptos ] || bash scripts/build.sh

if [ "$what" = keyboard ]; then
  for mode in 1 0; do
    echo "=== keys, keyboard $mode"
    KEYBOARD=$mode "$0" keys
  done
  echo "=== keys, bare Qt"
  "$0" bare-keys
  for mode in 1 0; do
    echo "=== startup, keyboard $mode"
    KEYBOARD=$mode "$0" startup
  done
  exit 0
fi

# The program runs from a copy of the staged directory, made once, so that no settings file
# of an earlier run changes what is measured. The launcher does no work of its own before the
# program starts (a copy or a removal there would be counted as start-up time); a settings
# file that a run left behind is removed only when there is one.
copy=$(mktemp -d /tmp/klaptos-run.XXXXXX)
cp -r build/bin/. "$copy/"
rm -f "$copy/klaptos.ini"
launcher=$(mktemp /tmp/klaptos-launch.XXXXXX)
if [ -n "${KEYBOARD:-}" ]; then
  # Every run starts from the same settings: the program killed at the end writes none.
  printf '[Options]\r\nKlavesnice=%d\r\n' "$KEYBOARD" >"$copy/klaptos.ini"
  cat > "$launcher" <<LAUNCH
#!/bin/sh
exec "$copy/klaptos"
LAUNCH
else
  cat > "$launcher" <<LAUNCH
#!/bin/sh
[ -e "$copy/klaptos.ini" ] && rm -f "$copy/klaptos.ini"
exec "$copy/klaptos"
LAUNCH
fi
case $what in
bare-*)
  [ -x build/tools/klaptos_bare_qt ] || cmake --build build --target klaptos_bare_qt
  # BARE_SIZE=<width>x<height>: the bare window at another size, e.g. the program's own.
  printf '#!/bin/sh\nexec env KLAPTOS_BARE_SIZE=%s "%s"\n' "${BARE_SIZE:-}" \
    "$PWD/build/tools/klaptos_bare_qt" >"$launcher"
  what=${what#bare-}
  ;;
esac
chmod +x "$launcher"
trap 'rm -f "$launcher"; rm -rf "$copy"' EXIT

if [ "$what" = startup ] || [ "$what" = all ]; then
  "$tools/gui-startup.sh" -n ${RUNS:-5} -w 1 -s 3 -i 10 -- "$launcher"
fi
if [ "$what" = keys ] || [ "$what" = all ]; then
  # The first lines of lesson 1, each followed by Enter: 200 keystrokes that all move on.
  text=$(iconv -f WINDOWS-1250 -t UTF-8 build/bin/KTOSCA.DAT | tr -d '\r' | sed -n '3,7p')
  text=${text:0:200}
  prep='W=$(xdotool search --onlyvisible --name "^Klaptos" | head -1); xdotool windowfocus --sync $W; sleep 0.5; xdotool key F9'
  "$tools/gui-keylatency.sh" -n ${RUNS:-3} -s 3 -p "$prep" -P 2 -B 10 -x "$text" -- "$launcher"
fi
