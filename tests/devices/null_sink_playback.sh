#!/usr/bin/env bash
# Plays generated tones through the real audio backend (PortAudio -> ALSA -> pulse plugin) into
# the null sink of a private PulseAudio daemon, records the sink's monitor, and checks that each
# tone arrived with its frequency and level. Needs no sound card.
#   usage: null_sink_playback.sh WAVETOOL
set -euo pipefail

wavetool=$1
# shellcheck source=null_sink.sh
source "$(dirname "$0")/null_sink.sh"
start_null_sink

# One second of 1000 Hz, then one second of 2000 Hz, both at half of full scale.
sox -n -r 44100 -b 16 -c 1 "$work/low.wav" synth 1 sine 1000 vol 0.5
sox -n -r 44100 -b 16 -c 1 "$work/high.wav" synth 1 sine 2000 vol 0.5
sox "$work/low.wav" "$work/high.wav" "$work/tones.wav"

# record NAME [wavetool options...]: plays tones.wav while recording the monitor; leaves
# NAME.wav holding the recording with the silence around the sound cut off.
record() {
  local name=$1
  shift
  parec -d null.monitor --format=s16le --rate=44100 --channels=1 >"$work/$name.raw" &
  recorder=$!
  sleep 1
  if ! "$wavetool" play "$@" "$work/tones.wav" 2>"$work/$name.err"; then
    fail "$name: wavetool play failed: $(cat "$work/$name.err")"
  fi
  if [ -s "$work/$name.err" ]; then
    fail "$name: wavetool wrote to stderr: $(head -3 "$work/$name.err")"
  fi
  sleep 0.5
  kill "$recorder"
  wait "$recorder" 2>/dev/null || true
  recorder=""
  sox -t raw -r 44100 -e signed -b 16 -c 1 "$work/$name.raw" "$work/$name.wav" \
    silence 1 0.005 2% reverse silence 1 0.005 2% reverse
}

# The monitor's recording may begin a little late (up to about a tenth of a second), so the
# durations allow for that; the frequencies and levels must match.
record whole
check whole all "$(measure "$work/whole.wav")" 0 1.8 2.1 # two tones: no single frequency
check whole start "$(measure "$work/whole.wav" trim 0 0.3)" 1000 0.29 0.31
check whole end "$(measure "$work/whole.wav" reverse trim 0 0.3)" 2000 0.29 0.31

record mark --mark 88200:88200 # the second tone only
check mark all "$(measure "$work/mark.wav")" 2000 0.85 1.05

[ "$failures" -eq 0 ] && echo "PASS" || exit 1
