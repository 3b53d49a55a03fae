#!/usr/bin/env bash
# wavetool's clipboard commands: the clipboard file shared between processes (its lock is tested
# in ClipboardFileTest), the empty clipboard, undo of paste and delete, and conversion of a
# clipboard of another format.
set -euo pipefail
wavetool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work # a clipboard and lock of the test's own
clip=$work/kestrix2000/KexCLIP.WAV
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
size() { stat -c %s "$1"; }

sox -n -r 22050 -b 8 -c 1 "$work/u8.wav" synth 1 sine 440 vol 0.5
sox -n -r 44100 -b 16 -c 2 "$work/s16.wav" synth 0.5 sine 300 sine 700 vol 0.5
sox -n -r 44100 -b 16 -c 2 "$work/empty.wav" trim 0 0

# An empty clipboard: the document comes out unchanged, with success.
"$wavetool" paste "$work/s16.wav" "$work/out.wav" || fail "paste with an empty clipboard exited $?"
cmp -s "$work/s16.wav" "$work/out.wav" || fail "paste with an empty clipboard changed the document"
"$wavetool" mix "$work/s16.wav" "$work/out.wav" || fail "mix with an empty clipboard exited $?"
cmp -s "$work/s16.wav" "$work/out.wav" || fail "mix with an empty clipboard changed the document"

# Copy writes 44 + n bytes.
"$wavetool" copy-to-clip --mark 1000:4000 "$work/s16.wav"
[ "$(size "$clip")" -eq 4044 ] || fail "clipboard of a 4000-byte mark is $(size "$clip") bytes"

# Paste and delete undo to the input.
"$wavetool" paste --cursor 400 --then-undo "$work/s16.wav" "$work/out.wav"
"$wavetool" copy "$work/s16.wav" "$work/ref.wav"
cmp -s "$work/ref.wav" "$work/out.wav" || fail "paste then undo differs from the input"
"$wavetool" delete --mark 400:4000 --then-undo "$work/s16.wav" "$work/out.wav"
cmp -s "$work/ref.wav" "$work/out.wav" || fail "delete then undo differs from the input"

# A pasted copy: the marked bytes appear at the cursor.
"$wavetool" paste --cursor 0 "$work/s16.wav" "$work/out.wav"
[ "$(size "$work/out.wav")" -eq $(( $(size "$work/ref.wav") + 4000 )) ] || fail "paste did not add 4000 bytes"
cmp -s <(tail -c +1045 "$work/ref.wav" | head -c 4000) <(tail -c +45 "$work/out.wav" | head -c 4000) \
  || fail "pasted bytes differ from the copied mark"

# Into an empty document the clipboard comes as it is.
"$wavetool" copy-to-clip "$work/u8.wav"
"$wavetool" paste "$work/empty.wav" "$work/out.wav"
cmp -s "$clip" "$work/out.wav" || fail "paste into an empty document is not the clipboard"

# 22050 Hz 8-bit mono into 44100 Hz 16-bit stereo: one second becomes 176400 bytes.
"$wavetool" paste --cursor 0 "$work/s16.wav" "$work/out.wav"
[ "$(size "$work/out.wav")" -eq $(( $(size "$work/ref.wav") + 176400 )) ] || fail "converted paste has the wrong length"

# Crop keeps the mark.
"$wavetool" crop --mark 100:200 "$work/u8.wav" "$work/out.wav"
[ "$(size "$work/out.wav")" -eq 244 ] || fail "crop of 200 bytes gave $(size "$work/out.wav") bytes"

# Two wavetools at once on the same clipboard both finish.
"$wavetool" copy-to-clip --mark 0:8000 "$work/s16.wav" & first=$!
"$wavetool" paste "$work/s16.wav" "$work/out2.wav" & second=$!
wait $first || fail "concurrent copy exited $?"
wait $second || fail "concurrent paste exited $?"

# Usage errors.
set +e
"$wavetool" delete "$work/s16.wav" "$work/out.wav" 2>/dev/null; [ $? -eq 2 ] || fail "delete without --mark"
"$wavetool" mix gain=x "$work/s16.wav" "$work/out.wav" 2>/dev/null; [ $? -eq 2 ] || fail "mix with a bad gain"
set -e

[ $failures -eq 0 ] && echo "all clipboard checks passed"
exit $(( failures > 0 ))
