#!/usr/bin/env bash
# wavetool apply: every operation undoes to its input, usage errors exit 2, and where sox does the
# same job the samples agree with sox (sox -D: no dither).
set -euo pipefail
wavetool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

sox -n -r 44100 -b 16 -c 2 "$work/s16-stereo.wav" synth 0.5 whitenoise vol 0.6
sox -n -r 22050 -b 16 -c 1 "$work/s16-mono.wav" synth 0.5 sine 440 vol 0.3
sox -n -r 8000 -b 8 -c 1 "$work/u8-mono.wav" synth 0.5 square 200
sox -n -r 11025 -b 8 -c 2 "$work/u8-stereo.wav" synth 0.5 sine 300 sine 700

# Operations whose undo must give the input back; velocity changes the length and offers no undo.
operations=("volume percent=50" "volume percent=300" "peak" "fadein percent=10" "fadeout percent=0" "fade-lr"
  "fade-rl" "silence" "insert-silence sec=0 ms=250" "zeroize threshold=300" "reverse" "soften strength=8"
  "soften strength=18" "dt-volume points=0:0,150:200,300:0" "dt-fade points=0:200,100:0,200:100,300:100")

for input in "$work"/*.wav; do
  name=$(basename "$input" .wav)
  "$wavetool" copy "$input" "$work/$name.ref"
  for op in "${operations[@]}"; do
    for placement in "" "--mark 1000:4000" "--cursor 2000"; do
      out="$work/out.wav"
      # shellcheck disable=SC2086
      "$wavetool" apply $op $placement --then-undo "$input" "$out" || { fail "$name: $op $placement exited $?"; continue; }
      cmp -s "$work/$name.ref" "$out" || fail "$name: '$op $placement' then undo differs from the input"
    done
    # shellcheck disable=SC2086
    "$wavetool" apply $op --mark 1000:4000 "$input" "$work/changed.wav" || fail "$name: $op exited $?"
  done
  set +e
  "$wavetool" apply velocity percent=150 --then-undo "$input" "$work/v.wav" 2>"$work/err"; status=$?
  set -e
  [ $status -eq 1 ] && grep -qx "Nothing to undo." "$work/err" || fail "$name: velocity then undo: status $status"
  "$wavetool" apply velocity percent=50 smooth=0 "$input" "$work/v.wav"
  frames_in=$(soxi -s "$input")
  frames_out=$(soxi -s "$work/v.wav")
  [ "$frames_out" -eq $((frames_in * 2)) ] || fail "$name: velocity 50 % gives $frames_out frames from $frames_in"
done

# A Drawtone point list that breaks a rule is refused with exit 2 and names the fault.
for points in "0:100,300:100" "5:100,150:0,300:100" "0:100,150:0,299:100" "0:100,150:201,300:100" \
  "0:100,200:0,100:0,300:100" "0:100,x,300:100"; do
  set +e
  "$wavetool" apply dt-volume points="$points" "$work/s16-stereo.wav" "$work/dt.wav" 2>"$work/err"; status=$?
  set -e
  [ $status -eq 2 ] && grep -q "^wavetool: bad points: ." "$work/err" || fail "dt-volume points=$points: status $status"
done
# The channel curve leaves a mono file alone and says so.
"$wavetool" apply dt-fade points=0:0,300:200,300:0 "$work/s16-mono.wav" "$work/dt.wav" 2>/dev/null && fail "dt-fade: bad list accepted"
"$wavetool" apply dt-fade points=0:200,150:0,300:200 "$work/s16-mono.wav" "$work/dt.wav" 2>"$work/err"
cmp -s "$work/s16-mono.ref" "$work/dt.wav" && grep -q "stereo" "$work/err" || fail "dt-fade changed a mono file"

# Reversing twice gives the original.
"$wavetool" apply reverse "$work/s16-stereo.wav" "$work/r1.wav"
"$wavetool" apply reverse "$work/r1.wav" "$work/r2.wav"
cmp -s "$work/s16-stereo.ref" "$work/r2.wav" || fail "reverse twice is not the original"

# Against sox: samples of both outputs, as sox reads them.
same_as_sox() { # label ours theirs
  cmp -s <(sox "$2" -t raw -) <(sox "$3" -t raw -) || fail "$1: differs from sox"
}
input="$work/s16-stereo.wav"
"$wavetool" apply reverse "$input" "$work/ours.wav"
sox -D "$input" "$work/sox.wav" reverse
same_as_sox "reverse" "$work/ours.wav" "$work/sox.wav"
"$wavetool" apply volume percent=200 "$input" "$work/ours.wav"
sox -D "$input" "$work/sox.wav" vol 2 2>/dev/null
same_as_sox "volume 200 %" "$work/ours.wav" "$work/sox.wav"
"$wavetool" apply volume percent=0 "$input" "$work/ours.wav"
sox -D "$input" "$work/sox.wav" vol 0
same_as_sox "volume 0 %" "$work/ours.wav" "$work/sox.wav"
# At 50 % we truncate toward zero where sox rounds: odd samples of one sign differ by one step.
"$wavetool" apply volume percent=50 "$input" "$work/ours.wav"
sox -D "$input" "$work/sox.wav" vol 0.5
python3 - "$work/ours.wav" "$work/sox.wav" <<'PY' || fail "volume 50 %: more than one step from sox"
import array, sys, wave
def samples(path):
    with wave.open(path) as w:
        a = array.array('h')
        a.frombytes(w.readframes(w.getnframes()))
        return a
ours, theirs = samples(sys.argv[1]), samples(sys.argv[2])
assert len(ours) == len(theirs)
assert all(abs(a - b) <= 1 for a, b in zip(ours, theirs))
# Truncation toward zero: never further from zero than sox's value.
assert all(abs(a) <= abs(b) for a, b in zip(ours, theirs))
PY

# Usage errors exit 2.
for args in "apply" "apply frobnicate a b" "apply volume bogus=1 a b" "apply peak percent=5 a b" \
  "apply volume percent=x a b" "apply velocity percent=0 a b" "apply volume --mark 5 a b" \
  "apply volume --mark 1:2 --cursor 3 a b" "apply velocity smooth=2 a b" "apply volume a"; do
  set +e
  # shellcheck disable=SC2086
  "$wavetool" $args >/dev/null 2>&1; status=$?
  set -e
  [ $status -eq 2 ] || fail "'wavetool $args' exited $status, not 2"
done

# A parameter not given takes the setting.
"$wavetool" --setting 'Kestrix\Settings\Filters\Volume=50' apply volume "$input" "$work/setting.wav"
"$wavetool" apply volume percent=50 "$input" "$work/given.wav"
cmp -s "$work/setting.wav" "$work/given.wav" || fail "volume does not read its setting"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "wavetool filters: all checks passed"
