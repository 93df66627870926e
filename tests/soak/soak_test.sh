#!/usr/bin/env bash
# Soak: qsb.exe runs for QSB_SOAK_SECONDS (default 60) while the sliders are
# driven through their whole ranges by keyboard and the whiskers switched;
# then Q. The process must stay alive, exit 0, and keep its GDI object count
# and memory flat between the start and the end.
#   soak_test.sh QSB_EXE INJECT_PROBE_EXE GDI_PROBE_DLL OUTPUT_DIR
set -u
exe=$1 inject=$2 probe=$3 out=$4
seconds=${QSB_SOAK_SECONDS:-60}
mkdir -p "$out"
[ -n "${DISPLAY:-}" ] && [ -n "${WINEPREFIX:-}" ] || { echo "soak: needs DISPLAY and WINEPREFIX (run scripts/test)"; exit 1; }

window() { xdotool search --onlyvisible --name "^$1\$" | head -n1; }
alive() { [ ! -f "$out/exit" ] && [ -n "$(window "QSB effect of the ionosphere")" ]; }
measure() { timeout 60 wine "$inject" qsb.exe "$probe" 2>&1 | tr -d '\r'; }
field() { sed -n "s/.*$1=\([0-9]*\).*/\1/p" <<<"$2"; }
fail() { echo "FAIL $*"; import -window root "$out/soak-failure.png" 2>/dev/null; echo "     screenshot kept: $out/soak-failure.png"; exit 1; }

rm -f "$out/exit"
( timeout $((seconds + 120)) wine "$exe" >/dev/null 2>&1; echo $? >"$out/exit" ) &
for _ in $(seq 200); do [ -n "$(window "QSB effect of the ionosphere")" ] && break; sleep 0.1; done
alive || fail "the program did not start"
main=$(window "QSB effect of the ionosphere") dialog=$(window "Parameter Controls")
eval "$(xdotool getwindowgeometry --shell "$dialog")"; DX=$X DY=$Y
eval "$(xdotool getwindowgeometry --shell "$main")"; MX=$((X + 500)) MY=$((Y + 300))

cycle() {
  # The dialog, by its caption: focus returns to the slider that had it.
  xdotool mousemove $((DX + 60)) $((DY + 8)) click 1
  for _slider in 1 2 3 4; do
    xdotool key Home Next Next Next Next Next Next End Prior Prior Down Down Down Up Tab
  done
  xdotool mousemove $MX $MY click 3   # the main window: whiskers
  xdotool key t t n n t n
}

# One cycle first: the controls create a few GDI objects of their own the
# first time they are focused and moved (two, under Wine), once. Then the
# first reading, after the frames have settled.
cycle
sleep 3
start=$(measure)
echo "     start: $start"
[ -n "$(field gdi "$start")" ] || fail "no start measurement: $start"

end_time=$((SECONDS + seconds)) cycles=0
while [ $SECONDS -lt $end_time ]; do
  cycle
  cycles=$((cycles + 1))
  alive || fail "the program died during cycle $cycles"
done
echo "     $cycles cycles of slider sweeps and whisker switches in $seconds s"

# The same settling time before the last reading.
sleep 3
end=$(measure)
echo "     end:   $end"
xdotool mousemove $MX $MY click 3; sleep 0.3; xdotool key q
for _ in $(seq 150); do [ -f "$out/exit" ] && break; sleep 0.1; done
code=$(cat "$out/exit" 2>/dev/null)

g0=$(field gdi "$start") g1=$(field gdi "$end")
p0=$(field pagefile "$start") p1=$(field pagefile "$end")
w0=$(field working_set "$start") w1=$(field working_set "$end")
echo "     GDI objects $g0 -> $g1; working set $w0 -> $w1 bytes; pagefile usage $p0 -> $p1 bytes"
status=0
[ "$code" = 0 ] || { echo "FAIL exit code ${code:-none}, not 0"; status=1; }
[ "$g0" = "$g1" ] || { echo "FAIL the GDI object count changed"; status=1; }
# Flat: allow 2 MiB of noise in the Wine process's memory, no more. A frame
# that leaked only 1 KiB would lose 600 KiB a minute and more over a longer soak.
[ $((w1 - w0)) -lt 2097152 ] || { echo "FAIL the working set grew by $((w1 - w0)) bytes"; status=1; }
[ $((p1 - p0)) -lt 2097152 ] || { echo "FAIL the pagefile usage grew by $((p1 - p0)) bytes"; status=1; }
[ $status = 0 ] && echo "soak: passed"
exit $status
