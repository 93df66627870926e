#!/usr/bin/env bash
# qsb-trace as a user runs it: the trace format, the options reaching the
# frame, the receiver's signal as CSV, the SVG picture, bad input (exit 2,
# one line on stderr, nothing on stdout) and failed writes (exit 1, one line,
# no file left behind).
set -u
trace=$(realpath "$1")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

out=$("$trace" --frames 2) || fail "default run exited $?"
[ "$(printf '%s\n' "$out" | head -n 8 | tr '\n' '|')" = "frame 1|fill 0 0 1000 500|pen ray|move 6 490|line 190 100|pen reflection|move 190 100|line 304 490|" ] \
  || fail "first lines of the default frame: $(printf '%s\n' "$out" | head -n 8 | tr '\n' '|')"
[ "$(printf '%s\n' "$out" | grep -c '^frame ')" = 2 ] || fail "--frames 2"
printf '%s\n' "$out" | grep -Eqv '^(frame [0-9]+|fill -?[0-9]+ -?[0-9]+ -?[0-9]+ -?[0-9]+|pen (ray|marker|reflection|layer|whisker|black)|(move|line) -?[0-9]+ -?[0-9]+)$' \
  && fail "lines outside the trace format"
"$trace" --size 980x503 | grep -qx 'fill 0 0 980 503' || fail "--size"
[ "$("$trace" --whiskers none | grep -c '^line')" = $((30 + 944)) ] || fail "--whiskers none still draws whiskers"
[ "$("$trace" --frames 2 --frequency 0.52)" = "$out" ] || fail "--frequency 0.52 differs from the start wave number"
"$trace" --receiver 900 | grep -qx 'pen receiver' || fail "--receiver 900 draws no receiver"

# A hidden receiver listens, the ground map, the band and the sound are
# made, without changing the trace; at x = 5, inside the skip zone, no ray
# arrives and the levels stay empty.
[ "$("$trace" --frames 2 --signal "$dir/s.csv" --map "$dir/m.csv" --band "$dir/b.csv" --audio "$dir/a.wav")" = "$out" ] \
  || fail "--signal, --map, --band or --audio changed the trace"
[ "$(head -n 1 "$dir/s.csv")" = frame,paths,focus_db,signal_db ] || fail "CSV header: $(head -n 1 "$dir/s.csv")"
[ "$(grep -Ec '^[12],[1-9][0-9]*,-?[0-9]+\.[0-9]{3},-?[0-9]+\.[0-9]{3}$' "$dir/s.csv")" = 2 ] && [ "$(wc -l <"$dir/s.csv")" = 3 ] \
  || fail "CSV rows at x = 900: $(tr '\n' '|' <"$dir/s.csv")"
"$trace" --frames 3 --receiver 5 --signal "$dir/s.csv" >/dev/null
[ "$(tail -n +2 "$dir/s.csv" | tr '\n' '|')" = "1,0,,|2,0,,|3,0,,|" ] || fail "CSV rows at x = 5: $(tr '\n' '|' <"$dir/s.csv")"

# The map's column at x = 900 and the band's middle wavelength (the receiver's own)
# hold the receiver's signal; inside the skip zone (x < 2 H cot 89 deg =
# 13.8, and farther where the ripples tilt the layer there) the map is
# empty; the WAV's header says what follows it.
"$trace" --frames 3 --receiver 900 --signal "$dir/s.csv" --map "$dir/m.csv" --band "$dir/b.csv" --audio "$dir/a.wav" >/dev/null
[ "$(head -n 1 "$dir/m.csv" | cut -d, -f1-3,901,1501-)" = frame,1,2,900,1500 ] || fail "map header: $(head -c 40 "$dir/m.csv")"
[ "$(head -n 1 "$dir/b.csv" | cut -d, -f1,2,34,66-)" = frame,33.3333333,30,27.2727273 ] || fail "band header: $(head -n 1 "$dir/b.csv")"
signal=$(tail -n +2 "$dir/s.csv" | cut -d, -f1,4 | tr '\n' ' ')
[ "$(tail -n +2 "$dir/m.csv" | cut -d, -f1,901 | tr '\n' ' ')" = "$signal" ] || fail "the map at x = 900 is not the signal: $signal"
[ "$(tail -n +2 "$dir/b.csv" | cut -d, -f1,34 | tr '\n' ' ')" = "$signal" ] || fail "the band's middle is not the signal: $signal"
[ "$(awk -F, '{ print NF }' "$dir/m.csv" | sort -u)/$(awk -F, '{ print NF }' "$dir/b.csv" | sort -u)" = 1501/66 ] || fail "CSV widths"
sed -n 2p "$dir/m.csv" | grep -Eq '^1,{14}' || fail "map's skip zone: $(sed -n 2p "$dir/m.csv" | head -c 60)"
# 16-bit words: PCM, mono; the rate; 16 bits; the data's bytes, 3 frames of 2205 samples.
[ "$(od -A n -t u2 -j 20 -N 4 "$dir/a.wav" | xargs) $(od -A n -t u4 -j 24 -N 4 "$dir/a.wav" | xargs) $(od -A n -t u2 -j 34 -N 2 "$dir/a.wav" | xargs) $(od -A n -t u4 -j 40 -N 4 "$dir/a.wav" | xargs) $(wc -c <"$dir/a.wav")" = "1 1 22050 16 13230 13274" ] \
  || fail "WAV header: $(od -A d -t x1 -N 44 "$dir/a.wav")"

# Under the scene the map, the chart and the waterfall; the background and
# the marker pen (4 wide, round ends); in the map and the waterfall each
# row's cells as runs of one colour, side by side from their first cell (7
# and 52) to their last (999, and 52 + 65 x 14), none alike (steep ripples:
# several paths, so the band is not flat).
"$trace" --frames 3 --amplitude 22 --frequency 1.2 --map "$dir/m.csv" --signal "$dir/s.csv" --band "$dir/b.csv" --svg "$dir/m.svg" >/dev/null
[ "$(grep -c 'transform="translate(0,\(500\|834\|1034\))"' "$dir/m.svg")" = 3 ] || fail "the pictures under the scene"
grep -q 'stroke="rgb(133,153,0)" stroke-width="4" stroke-linecap="round"' "$dir/m.svg" && grep -q 'fill="rgb(0,43,54)"' "$dir/m.svg" \
  || fail "SVG lacks the marker pen or the background"
[ "$(awk '/translate/ { part = $0 ~ /834/ ? "" : $0 ~ /1034/ ? "w" : "m" }
  part != "" && /<rect/ && / height="1" / { split($0, f, "\""); row = part f[4]; if (!(row in at)) at[row] = part == "m" ? 7 : 52
    if (f[2] != at[row] || f[10] == fill[row]) bad++; at[row] = f[2] + f[6]; fill[row] = f[10] }
  END { for (row in at) { rows++; bad += at[row] != (row ~ /^m/ ? 1000 : 962) } print rows, bad + 0 }' "$dir/m.svg")" = "6 0" ] \
  || fail "the map's and the waterfall's rows in the SVG"

"$trace" --size 800x400 --receiver 900 --signal "$dir/s.csv" --svg "$dir/r.svg" >/dev/null
grep -q 'width="800" height="600" viewBox="0 0 800 600"' "$dir/r.svg" && grep -q '<g transform="translate(0,400)">' "$dir/r.svg" \
  && grep -q 'stroke="rgb(238,232,213)"' "$dir/r.svg" || fail "SVG lacks its size, the receiver or the chart under the scene"

# A rough ionosphere draws the same frames and changes the signal, a seed
# repeats it; --stats has its rows in order and Rayleigh's values in the
# third column (-18.386 dB for 1 %, none for the crossings and KS), the
# measured fade length is the time under -10 dB over the fades.
[ "$("$trace" --frames 2 --ionosphere smooth --seed 9)" = "$out" ] || fail "--ionosphere smooth changed the trace"
"$trace" --frames 300 --signal "$dir/smooth.csv" >"$dir/smooth.txt"
for seed in 4 4 5; do
  "$trace" --frames 300 --ionosphere moderate --seed $seed --signal "$dir/r$seed.csv" --stats "$dir/st$seed.csv" >"$dir/rough.txt"
  cmp -s "$dir/st$seed.csv" "$dir/st4.csv" || [ $seed = 5 ] || fail "seed 4 gave two different runs"
done
"$trace" --frames 300 --ionosphere moderate --seed 4 --receiver 900 --stats "$dir/shown.csv" >/dev/null
cmp -s "$dir/shown.csv" "$dir/st4.csv" || fail "--stats differs between the receiver shown and hidden at 900"
cmp -s "$dir/rough.txt" "$dir/smooth.txt" || fail "a rough ionosphere changed the frames drawn"
cmp -s "$dir/r4.csv" "$dir/smooth.csv" && fail "a rough ionosphere left the signal as it was"
cmp -s "$dir/st4.csv" "$dir/st5.csv" && fail "seeds 4 and 5 gave the same statistics"
[ "$(cut -d, -f1 "$dir/st4.csv" | tr '\n' ' ')" = "statistic p01_db p10_db p90_db p99_db below_10db crossings_per_s fades_per_s_10db fade_s_10db ks " ] \
  || fail "--stats rows: $(tr '\n' '|' <"$dir/st4.csv")"
awk -F, '$1 == "p01_db" { p01 = $2; r = $3 } $1 == "p99_db" { p99 = $2 } $1 == "below_10db" { below = $2 }
         $1 == "fades_per_s_10db" { fades = $2 } $1 == "fade_s_10db" { fade = $2 } $1 ~ /^(crossings_per_s|ks)$/ && $3 != "" { bad = 1 }
         END { exit !(r == -18.386 && p01 < 0 && p99 > 0 && below > 0 && below < 1 && fades > 0 &&
                      (fade - below / fades) ^ 2 < 1e-6 && !bad) }' "$dir/st4.csv" || fail "--stats columns: $(tr '\n' '|' <"$dir/st4.csv")"
"$trace" --frames 99 --stats "$dir/few.csv" >/dev/null
[ "$(tail -n +2 "$dir/few.csv" | grep -vc ',,$')" = 0 ] || fail "values from 99 frames: $(tr '\n' '|' <"$dir/few.csv")"
"$trace" --frames 150 --scene 5 --signal "$dir/s.csv" --stats "$dir/st.csv" --svg "$dir/st.svg" >"$dir/scene.txt"
grep -qx 'pen receiver' "$dir/scene.txt" || fail "--scene 5 shows no receiver"
grep -q '<g transform="translate(0,700)">' "$dir/st.svg" && grep -q 'stroke="rgb(108,113,196)"' "$dir/st.svg" \
  || fail "SVG lacks the statistics view with Rayleigh's line under the chart"
"$trace" --stats "$dir/full.csv" >/dev/full 2>/dev/null
[ $? = 1 ] && [ ! -e "$dir/full.csv" ] || fail "a failed run left its statistics behind"

for args in "--frames 0" "--altitude" "--nope" "--receiver 0" "--tone 100" "--seed -1" "--svg $dir/missing/dir/x.svg" \
  "--map $dir/missing/x.csv" "--audio $dir/missing/x.wav" "--stats $dir/missing/st.csv" "--signal $dir/missing/x.csv"; do
  # shellcheck disable=SC2086
  "$trace" $args >"$dir/out" 2>"$dir/err"
  status=$?
  [ "$status" = 2 ] || fail "'$args' exited $status, not 2"
  [ -s "$dir/out" ] && fail "'$args' wrote to stdout"
  [ "$(wc -l <"$dir/err")" = 1 ] || fail "'$args' did not print exactly one line: $(cat "$dir/err")"
done
grep -q 'x.csv: No such file or directory$' "$dir/err" || fail "no reason given: $(cat "$dir/err")"

# Regression: a failed write ended silently with status 1, or left a
# half-written SVG behind with a message that gave no reason.
"$trace" >/dev/full 2>"$dir/err"
[ $? = 1 ] && [ "$(cat "$dir/err")" = "qsb-trace: cannot write standard output: No space left on device" ] \
  || fail "a full standard output: $(cat "$dir/err")"
for args in "--frames 3 --svg $dir/big.svg" "--frames 400 --signal $dir/big.csv" "--frames 2 --map $dir/big.csv" \
  "--frames 2 --audio $dir/big.wav"; do
  # shellcheck disable=SC2086
  (trap '' XFSZ; ulimit -f 1; exec "$trace" $args >/dev/null 2>"$dir/err")
  status=$?
  file=${args##* }
  [ "$status" = 1 ] && [ "$(cat "$dir/err")" = "qsb-trace: cannot write $file: File too large" ] \
    || fail "'$args' over the file size limit: exit $status, $(cat "$dir/err")"
  [ -e "$file" ] && fail "'$args' left $file behind"
done
"$trace" --help | grep -q -- '--phase-offset' && "$trace" --help | grep -q -- '--tone HZ' || fail "--help does not explain the options"
version=$(sed -n 's/^project(qsb VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt")
[ "$("$trace" --version)" = "qsb-trace $version" ] || fail "--version: $("$trace" --version), not $version"

# One file named for two outputs, however it is spelled, is refused before
# anything is written: the file keeps what it held.
mkdir "$dir/sub" && cd "$dir" || exit 1
echo kept >kept && ln kept hard && ln -s kept link && ln -s new dangling
for args in "--svg kept --signal ./kept" "--svg sub/../kept --signal kept" "--svg link --signal kept" \
            "--svg hard --signal kept" "--svg dangling --signal ./new" "--svg new --signal sub/../new"; do
  # shellcheck disable=SC2086
  "$trace" --receiver 900 $args >out 2>err
  status=$?
  [ "$status" = 2 ] && [ ! -s out ] && [ "$(wc -l <err)" = 1 ] && grep -q 'are the same file$' err \
    || fail "'$args': exit $status, $(cat err)"
  [ "$(cat kept)" = kept ] && [ ! -e new ] || fail "'$args' wrote a file"
done
"$trace" --svg kept >>kept 2>err
[ $? = 2 ] && [ "$(cat kept)" = kept ] && [ "$(cat err)" = "qsb-trace: --svg kept is the file standard output goes to" ] \
  || fail "--svg into standard output's own file: $(cat err)"
# A path with a line break, a tab and an escape character stays on one line.
"$trace" --svg $'no/a\nb\tc\e\\' 2>err
[ "$(cat err)" = 'qsb-trace: cannot write no/a\nb\tc\x1b\\: No such file or directory' ] || fail "path not escaped: $(cat err)"
cd - >/dev/null || exit 1

# A layer too high to draw comes down to the highest drawable one, whose
# coordinates are all ints.
out=$("$trace" --frames 20 --altitude 1e30)
[ "$out" = "$("$trace" --frames 20 --altitude 8e8 --amplitude 0)" ] && printf '%s\n' "$out" | grep -q '^pen ray' \
  && ! printf '%s\n' "$out" | grep -q -- -2147483648 || fail "--altitude 1e30 is not drawn as the highest drawable layer"

if [ "$failures" -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
echo "trace_cli: all checks passed"
