#!/usr/bin/env bash
# Records through the real audio backend (PortAudio -> ALSA -> pulse plugin): a tone played into
# the null sink of a private PulseAudio daemon is recorded from the sink's monitor, the default
# source, by wavetool record, and the file must hold that tone for exactly the time asked for.
#   usage: null_sink_record.sh WAVETOOL
set -euo pipefail

wavetool=$1
# shellcheck source=null_sink.sh
source "$(dirname "$0")/null_sink.sh"
start_null_sink
pactl set-default-source null.monitor

sox -n -r 44100 -b 16 -c 1 "$work/tone.wav" synth 4 sine 1000 vol 0.5
paplay "$work/tone.wav" &
recorder=$!
sleep 0.5
if ! "$wavetool" record 1.5 "$work/recorded.wav" 2>"$work/record.err"; then
  fail "wavetool record failed: $(cat "$work/record.err")"
fi
kill "$recorder" 2>/dev/null || true
wait "$recorder" 2>/dev/null || true
recorder=""

if [ -s "$work/recorded.wav" ]; then
  format=$(soxi -c "$work/recorded.wav")/$(soxi -b "$work/recorded.wav")/$(soxi -r "$work/recorded.wav")
  [ "$format" = 2/16/44100 ] || fail "recorded format channels/bits/rate is $format, not 2/16/44100"
  # The length is the file's own; the tone is measured away from the edges, on each channel.
  check recorded left "$(measure "$work/recorded.wav" remix 1 trim 0.2 1.0)" 1000 0.99 1.01
  length=$(soxi -D "$work/recorded.wav")
  awk -v d="$length" 'BEGIN { exit !(d >= 1.4 && d <= 1.6) }' || fail "recorded $length s instead of 1.5 s"
  check recorded right "$(measure "$work/recorded.wav" remix 2 trim 0.2 1.0)" 1000 0.99 1.01
fi

# A tenth of a second at 11025 Hz is 1102 whole frames, and the options may follow the file name.
if "$wavetool" record 0.1 "$work/short.wav" --device -1 rate=11025 channels=1 2>"$work/short.err"; then
  frames=$(soxi -s "$work/short.wav")
  [ "$frames" = 1102 ] || fail "a tenth of a second at 11025 Hz recorded $frames frames, not 1102"
else
  fail "wavetool record 0.1 at 11025 Hz failed: $(cat "$work/short.err")"
fi

[ "$failures" -eq 0 ] && echo "PASS" || exit 1
