#!/usr/bin/env bash
# Measures the staged program as a whole process under Xvfb with the shared GUI probes:
#   startup   time to the first window, resident memory 3 s later, idle CPU in STOP mode
#   keys      CPU per keystroke while typing lesson 1 (every key right, so every key moves
#             on), idle CPU in typing mode
# Usage: scripts/measure.sh [startup|keys|all]   (GUI_TOOLS=<dir> if the probes lie elsewhere)
set -euo pipefail
cd "$(dirname "$0")/.."
tools=${GUI_TOOLS:-$(cd .. && pwd)/shared/tools}
what=${1:-all}
[ -x build/bin/klaptos ] || bash scripts/build.sh

# The program runs from a copy of the staged directory, made once, so that no settings file
# of an earlier run changes what is measured. The launcher does no work of its own before the
# program starts (a copy or a removal there would be counted as start-up time); a settings
# file that a run left behind is removed only when there is one.
copy=$(mktemp -d /tmp/klaptos-run.XXXXXX)
cp -r build/bin/. "$copy/"
rm -f "$copy/klaptos.ini"
launcher=$(mktemp /tmp/klaptos-launch.XXXXXX)
cat > "$launcher" <<LAUNCH
#!/bin/sh
[ -e "$copy/klaptos.ini" ] && rm -f "$copy/klaptos.ini"
exec "$copy/klaptos"
LAUNCH
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
