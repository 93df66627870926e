#!/usr/bin/env bash
# qsb-trace as a user runs it: output format, frames, SVG, and bad input
# (exit 2, one line on stderr, nothing on stdout).
set -u
trace=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

out=$("$trace") || fail "default run exited $?"
[ "$(printf '%s\n' "$out" | head -n 8 | tr '\n' '|')" = "frame 1|fill 0 0 1000 500|pen ray|move 6 490|line 190 100|pen reflection|move 190 100|line 304 490|" ] \
  || fail "first lines of the default frame: $(printf '%s\n' "$out" | head -n 8 | tr '\n' '|')"
printf '%s\n' "$out" | grep -qx 'line 535 91' || fail "27-degree hit at (535, 91) missing"
printf '%s\n' "$out" | grep -qx 'line 1100 490' || fail "27-degree return at column 1100 missing"
[ "$(printf '%s\n' "$out" | grep -c '^pen marker$')" = 6 ] || fail "expected six marker selections"
[ "$(printf '%s\n' "$out" | tail -n 1)" = "pen black" ] || fail "frame does not end with the black pen"
bad=$(printf '%s\n' "$out" | grep -Evc '^(frame [0-9]+|fill -?[0-9]+ -?[0-9]+ -?[0-9]+ -?[0-9]+|pen (ray|marker|reflection|layer|whisker|black)|(move|line) -?[0-9]+ -?[0-9]+)$')
[ "$bad" = 0 ] || fail "$bad lines outside the trace format"

[ "$("$trace" --frames 3 --size 980x503 | grep -c '^frame ')" = 3 ] || fail "--frames 3"
"$trace" --size 980x503 | grep -qx 'fill 0 0 980 503' || fail "--size"
[ "$("$trace" --whiskers none | grep -c '^line')" = $((30 + 944)) ] || fail "--whiskers none still draws whiskers"
# A frame with phase step 0 repeats exactly.
frames=$("$trace" --frames 2 --phase-step 0)
[ "$(printf '%s\n' "$frames" | sed -n '2,1180p')" = "$(printf '%s\n' "$frames" | sed -n '1182,2360p')" ] || fail "phase step 0 frames differ"

"$trace" --frames 2 --svg "$dir/frame.svg" >/dev/null || fail "--svg run"
grep -q '<svg' "$dir/frame.svg" && grep -q 'stroke="rgb(133,153,0)" stroke-width="4" stroke-linecap="round"' "$dir/frame.svg" \
  || fail "SVG lacks the marker pen"
grep -q 'fill="rgb(0,43,54)"' "$dir/frame.svg" || fail "SVG lacks the background"

for args in "--frames 0" "--frames 1000000" "--frames x" "--altitude" "--altitude 1,5" "--nope" "--whiskers up" \
            "--size 10" "--svg $dir/missing/dir/x.svg"; do
  # shellcheck disable=SC2086
  "$trace" $args >"$dir/out" 2>"$dir/err"
  status=$?
  [ "$status" = 2 ] || fail "'$args' exited $status, not 2"
  [ -s "$dir/out" ] && fail "'$args' wrote to stdout"
  [ "$(wc -l <"$dir/err")" = 1 ] || fail "'$args' did not print exactly one line: $(cat "$dir/err")"
done
"$trace" --help | grep -q -- '--phase-offset' || fail "--help does not explain the options"

if [ "$failures" -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
echo "trace_cli: all checks passed"
