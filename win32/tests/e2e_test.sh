#!/usr/bin/env bash
# End-to-end: qsb.exe under Wine on the virtual display, driven and watched
# the way a user would (xdotool, screenshots). Expects DISPLAY, WINEPREFIX and
# a persistent wineserver (scripts/test sets them up).
#   e2e_test.sh QSB_EXE QSB_WITHOUT_DIALOG_EXE OUTPUT_DIR
set -u
exe=$1 nodialog_exe=$2 out=$3
mkdir -p "$out"
rm -f "$out"/*.png
[ -n "${DISPLAY:-}" ] && [ -n "${WINEPREFIX:-}" ] || { echo "e2e: needs DISPLAY and WINEPREFIX (run scripts/test)"; exit 1; }

failures=0 checks=0
pass() { checks=$((checks + 1)); echo "ok   $*"; }
fail() { checks=$((checks + 1)); failures=$((failures + 1)); echo "FAIL $*"; keep_shot "fail-$checks"; }
check() { if eval "$2"; then pass "$1"; else fail "$1 [$2]"; fi; }
shot() { import -window root "$1" 2>/dev/null; }
keep_shot() { shot "$out/$1.png" && echo "     screenshot kept: $out/$1.png"; }

# Polls (every 0.1 s) until a command succeeds; gives up after $1 seconds.
wait_for() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@" >/dev/null 2>&1; do [ $SECONDS -ge $end ] && return 1; sleep 0.1; done
}
window() { xdotool search --onlyvisible --name "^$1\$" | head -n1; }
has_window() { [ -n "$(window "$1")" ]; }
no_window() { [ -z "$(window "$1")" ]; }

start() {  # starts an exe in the background; its exit code lands in $out/exit
  rm -f "$out/exit"
  ( timeout 120 wine "$1" >/dev/null 2>&1; echo $? >"$out/exit" ) &
  APP_PID=$!
}
ended() { [ -f "$out/exit" ]; }
exit_code() { wait_for 15 ended && cat "$out/exit"; }
stop() { wineserver -k9 >/dev/null 2>&1; wineserver -p >/dev/null 2>&1; timeout 60 wineboot </dev/null >/dev/null 2>&1; wait "$APP_PID" 2>/dev/null; }

# How many pixels of colour R,G,B lie in a rectangle of the client area.
count_colour() {  # file x y w h R,G,B
  convert "$1" -crop "$4x$5+$((CX + $2))+$((CY + $3))" +repage -depth 8 -format %c histogram:info:- 2>/dev/null |
    awk -v want="($6)" '{ gsub(/ /, ""); if (index($0, want ":") || index($0, want "#")) { split($0, a, ":"); n += a[1] } } END { print n + 0 }'
}

# Every pen's colour on a GDI bitmap is GdiFrame.PensWidthsAndColours's; on
# the screen here the layer's and the receiver's, counted exactly.
LAYER=38,139,210 RECEIVER=238,232,213

# ---- the running program --------------------------------------------------
start "$exe"
check "main window appears" 'wait_for 20 has_window "QSB effect of the ionosphere"'
check "parameter dialog appears" 'wait_for 10 has_window "Parameter Controls"'
main=$(window "QSB effect of the ionosphere")
eval "$(xdotool getwindowgeometry --shell "$main")"
check "main window at (10, 10), 1000 x 550 (at $X, $Y, $WIDTH x $HEIGHT)" '[ "$X,$Y,$WIDTH,$HEIGHT" = "10,10,1000,550" ]'
WX=$X WY=$Y

# The client area's corner: the first background pixels right of the
# frame (at mid height) and below the caption (at mid width).
sleep 0.5
shot "$out/first.png"
CX=$(convert "$out/first.png" -crop "60x1+$WX+$((WY + 480))" -depth 8 txt:- | awk -F'[ ,:]+' '/#002B36/ { print $1; exit }')
CY=$(convert "$out/first.png" -crop "1x80+$((WX + 700))+$WY" -depth 8 txt:- | awk -F'[ ,:]+' '/#002B36/ { print $2; exit }')
CX=$((WX + ${CX:-0})) CY=$((WY + ${CY:-0}))
echo "     client area starts at screen ($CX, $CY)"

sleep 0.3; shot "$out/second.png"
diff=$(compare -metric AE "$out/first.png" "$out/second.png" null: 2>&1 | cut -d' ' -f1)
check "the picture moves between frames ($diff pixels changed)" '[ "${diff:-0}" -gt 1000 ]'

# The keys reach the main window through the program's message loop once a
# right click has activated it (R below shows it).
xdotool mousemove $((CX + 600)) $((CY + 300)) click 3
sleep 0.3

# The receiver: off at start; R opens its chart and draws the paths that
# reach it; Space freezes the picture (the chart too); R again closes it.
n=$(count_colour "$out/first.png" 0 0 960 495 $RECEIVER)
check "no receiver at start ($n pixels)" '[ "$n" -eq 0 ] && no_window "Signal at receiver"'
xdotool key r
check "R opens the chart \"Signal at receiver\"" 'wait_for 10 has_window "Signal at receiver"'
sleep 1; shot "$out/receiver.png"
n=$(count_colour "$out/receiver.png" 0 0 960 495 $RECEIVER)
check "the receiver's paths are drawn ($n pixels)" '[ "$n" -gt 300 ]'
# Save picture... from the system menu (Alt+Space, then its letter) through
# the save dialog, its name typed without the extension the dialog adds.
rm -f "$out/saved.png"
xdotool key alt+space i
check "Save picture... opens its dialog" 'wait_for 10 has_window "Save picture"'
sleep 0.5; xdotool type --delay 10 "$(winepath -w "$out" 2>/dev/null)\\saved"; xdotool key Return
size=$(wait_for 5 test -s "$out/saved.png" && identify -format %wx%h "$out/saved.png")
check "the picture is saved as PNG, the scene (about 520 rows) and the chart under it ($size)" '[ "${size#*x}" -gt 700 ]'

xdotool key space; sleep 0.3; shot "$out/paused1.png"; sleep 0.5; shot "$out/paused2.png"
diff=$(compare -metric AE "$out/paused1.png" "$out/paused2.png" null: 2>&1 | cut -d' ' -f1)
check "Space freezes the picture ($diff pixels changed)" '[ "${diff:-1}" = 0 ]'
xdotool key space r
check "R again closes the chart" 'wait_for 10 no_window "Signal at receiver"'

# The views beside the scene. The receiver, put on the ground by a right
# click at client column 200, marks its column in the scene (its mast's
# foot, the lowest row it colours) and on the ground map (the chevron's
# apex, the top row under the strip): the map's pixel columns lie under the
# scene's only if the two are the same screen columns.
receiver_columns() {  # file x y w h first|last: the receiver's screen columns in that row of the box
  convert "$1" -crop "$4x$5+$2+$3" +repage -depth 8 txt:- |
    awk -F'[ ,:]+' -v x="$2" -v which="$6" '/#EEE8D5/ { if (!($2 in seen)) { rows[++n] = $2; seen[$2] = 1 } cols[$2] = cols[$2] " " ($1 + x) }
      END { if (n) { r = which == "first" ? rows[1] : rows[n]; print cols[r] } }'
}
xdotool key r; wait_for 10 has_window "Signal at receiver"
xdotool mousemove $((CX + 200)) $((CY + 300)) click 3; sleep 0.3
xdotool key m
check "M opens the ground map" 'wait_for 10 has_window "Ground map"'
sleep 1; shot "$out/map.png"
eval "$(xdotool getwindowgeometry --prefix MAP_ --shell "$(window "Ground map")")"
mast=$(receiver_columns "$out/map.png" $((CX + 180)) "$CY" 40 496 last)
chevron=$(receiver_columns "$out/map.png" $((CX + 180)) "$MAP_Y" 40 "$MAP_HEIGHT" first)
check "the map's receiver mark lies under the scene's (screen columns${mast:- none} and${chevron:- none})" '[ -n "$mast" ] && [ "$mast" = "$chevron" ]'
xdotool key w s a
check "W, S and A (no sound device) open the waterfall and the statistics, and the program runs on" 'wait_for 10 has_window "Waterfall" && wait_for 10 has_window "Fading statistics" && sleep 1 && ! ended'
xdotool key a s m r
check "A, S, M and R close every view" 'wait_for 10 no_window "Fading statistics" && wait_for 10 no_window "Signal at receiver" && no_window "Ground map" && no_window "Waterfall"'

# A slider moved by keyboard: activate the dialog by its caption (focus goes
# back to the altitude slider), End takes it to the bottom, altitude 100.
dialog=$(window "Parameter Controls")
eval "$(xdotool getwindowgeometry --shell "$dialog")"
xdotool mousemove $((X + 60)) $((Y + 8)) click 1
sleep 0.3
low_before=$(shot "$out/s.png"; count_colour "$out/s.png" 0 300 960 150 $LAYER)
xdotool key End; sleep 0.5
low_after=$(shot "$out/s.png"; count_colour "$out/s.png" 0 300 960 150 $LAYER)
check "End on the altitude slider lowers the layer (pixels in rows 300-450: $low_before, then $low_after)" \
  '[ "$low_before" -eq 0 ] && [ "$low_after" -gt 500 ]'

# Q quits with exit code 0.
xdotool mousemove $((CX + 600)) $((CY + 300)) click 3; sleep 0.3
xdotool key q
code=$(exit_code)
check "Q ends the program with exit code 0" '[ "$code" = 0 ]'
ended || stop

# A left click quits, even while the dialog is the active window.
start "$exe"
wait_for 20 has_window "QSB effect of the ionosphere"; sleep 0.5
xdotool mousemove $((CX + 600)) $((CY + 300)) click 1
code=$(exit_code)
check "left click ends the program with exit code 0" '[ "$code" = 0 ]'
ended || stop

# Without the dialog template: box 3, no main window, exit code 0.
start "$nodialog_exe"
check "missing dialog is reported as \"Can't find AltSlider\"" "wait_for 20 has_window \"Can't find AltSlider\""
check "the main window is never shown" 'no_window "QSB effect of the ionosphere"'
box=$(window "Can't find AltSlider")
[ -n "$box" ] && eval "$(xdotool getwindowgeometry --shell "$box")" && xdotool mousemove $((X + 20)) $((Y + 40)) click 3
sleep 0.3; xdotool key Return
code=$(exit_code)
check "dismissing the box exits with code 0" '[ "$code" = 0 ]'
ended || stop

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
