#!/usr/bin/env bash
# wavetool against files written by sox and ffmpeg: copies keep every sample and get a canonical
# header; info agrees with soxi.
set -euo pipefail
wavetool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

make_inputs() {
  sox -n -r 8000 -b 8 -c 1 "$work/sox-u8-mono.wav" synth 0.5 sine 440
  sox -n -r 44100 -b 16 -c 2 "$work/sox-s16-stereo.wav" synth 0.7 sine 300 sine 500
  sox -n -r 48000 -b 16 -c 1 "$work/sox-s16-mono-48k.wav" synth 0.3 whitenoise
  sox -n -r 22050 -b 8 -c 2 "$work/sox-u8-stereo.wav" synth 0.25 square 100
  sox -n -r 11025 -b 16 -c 1 "$work/sox-empty.wav" trim 0 0
  ffmpeg -loglevel error -f lavfi -i "sine=frequency=1000:duration=0.4" -ac 2 -ar 44100 -c:a pcm_s16le \
    -metadata title="Ffmpeg Title" "$work/ff-s16-stereo.wav"
  ffmpeg -loglevel error -f lavfi -i "anoisesrc=duration=0.3" -ac 1 -ar 16000 -c:a pcm_u8 "$work/ff-u8-mono.wav"
}
make_inputs

for input in "$work"/sox-*.wav "$work"/ff-*.wav; do
  name=$(basename "$input")
  out="$work/copy-$name"
  "$wavetool" copy "$input" "$out" || { fail "$name: copy exited $?"; continue; }
  # Same samples, as sox reads them.
  if ! cmp -s <(sox "$input" -t raw -) <(sox "$out" -t raw -); then fail "$name: samples differ"; fi
  # Canonical header: 44 bytes, then the data.
  info=$("$wavetool" info "$out")
  datasize=$(sed -n 's/^datasize=//p' <<<"$info")
  size=$(stat -c %s "$out")
  [ "$size" -eq $((datasize + 44)) ] || fail "$name: size $size is not 44 + $datasize"
  [ "$(head -c 4 "$out")" = RIFF ] || fail "$name: no RIFF"
  [ "$(dd if="$out" bs=1 skip=8 count=8 2>/dev/null)" = "WAVEfmt " ] || fail "$name: no WAVEfmt"
  [ "$(dd if="$out" bs=1 skip=36 count=4 2>/dev/null)" = data ] || fail "$name: data chunk not at 36"
  # info agrees with soxi.
  info=$("$wavetool" info "$input")
  for pair in "rate:r" "channels:c" "bits:b" "samples:s"; do
    key=${pair%%:*}
    flag=${pair##*:}
    ours=$(sed -n "s/^$key=//p" <<<"$info")
    theirs=$(soxi -"$flag" "$input")
    [ "$ours" = "$theirs" ] || fail "$name: $key is $ours, soxi says $theirs"
  done
done

# Refused files: the reader's message on stderr, status 1.
printf 'This is plain text, not a sound.' >"$work/text.txt"
set +e
"$wavetool" info "$work/text.txt" 2>"$work/err"; status=$?
set -e
[ $status -eq 1 ] || fail "text file: status $status"
grep -qx "File is not a wave file." "$work/err" || fail "text file: message '$(cat "$work/err")'"
set +e
"$wavetool" copy "$work/nonexistent.wav" "$work/x.wav" 2>"$work/err"; status=$?
set -e
[ $status -eq 1 ] || fail "missing file: status $status"
grep -qx "File not found or something else." "$work/err" || fail "missing file: message"
[ ! -e "$work/x.wav" ] || fail "missing file: output written"

# Usage errors: status 2.
for args in "" "frobnicate a" "info" "copy onlyone" "info --bogus a"; do
  set +e
  # shellcheck disable=SC2086
  "$wavetool" $args >/dev/null 2>&1; status=$?
  set -e
  [ $status -eq 2 ] || fail "'wavetool $args' exited $status, not 2"
done

# --setting writes the shared settings store before the command runs.
"$wavetool" --setting 'Kestrix\Settings\CompressBits=16' info "$work/sox-u8-mono.wav" >/dev/null
"$wavetool" info --setting 'Kestrix\Test\Interop=yes' "$work/sox-u8-mono.wav" >/dev/null
store="${XDG_CONFIG_HOME:-$HOME/.config}/QuellWerk/QuellWerk.ini"
grep -q 'CompressBits=16' "$store" || fail "setting not in $store"
grep -q 'Interop=yes' "$store" || fail "second setting not in $store"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "wavetool interop: all checks passed"
