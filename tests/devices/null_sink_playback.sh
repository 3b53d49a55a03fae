#!/usr/bin/env bash
# Plays generated tones through the real audio backend (PortAudio -> ALSA -> pulse plugin) into
# the null sink of a private PulseAudio daemon, records the sink's monitor, and checks that each
# tone arrived with its frequency and level. Needs no sound card.
#   usage: null_sink_playback.sh WAVETOOL
set -euo pipefail

wavetool=$1
for tool in pulseaudio pactl parec sox; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/install-deps)"; exit 1; }
done
if ! ls /etc/alsa/conf.d/*pulse*.conf >/dev/null 2>&1; then
  echo "FAIL: ALSA's pulse plugin is missing (package libasound2-plugins)"
  exit 1
fi

work=$(mktemp -d)
export HOME=$work/home XDG_RUNTIME_DIR=$work/run
unset PULSE_SERVER PULSE_SINK
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
recorder=""

cleanup() {
  [ -n "$recorder" ] && kill "$recorder" 2>/dev/null || true
  if [ -f "$XDG_RUNTIME_DIR/pulse/pid" ]; then
    kill "$(cat "$XDG_RUNTIME_DIR/pulse/pid")" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

pulseaudio -D --system=false --exit-idle-time=-1 -n --load=module-null-sink \
  --load=module-native-protocol-unix --log-target=file:"$work/pulse.log" 2>/dev/null
for _ in $(seq 50); do
  pactl info >/dev/null 2>&1 && break
  sleep 0.1
done
pactl info >/dev/null || { echo "FAIL: the PulseAudio daemon did not come up"; cat "$work/pulse.log"; exit 1; }

# One second of 1000 Hz, then one second of 2000 Hz, both at half of full scale.
sox -n -r 44100 -b 16 -c 1 "$work/low.wav" synth 1 sine 1000 vol 0.5
sox -n -r 44100 -b 16 -c 1 "$work/high.wav" synth 1 sine 2000 vol 0.5
sox "$work/low.wav" "$work/high.wav" "$work/tones.wav"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# measure FILE [sox effects...]: prints "SECONDS HZ RMS" of the file after the effects.
measure() {
  local file=$1
  shift
  sox "$file" -n "$@" stat 2>&1 | awk '
    /^Length \(seconds\)/ { d = $3 }
    /^Rough[ ]+frequency/ { f = $3 }
    /^RMS[ ]+amplitude/ { r = $3 }
    END { print d, f, r }'
}

# check NAME WHAT "SECONDS HZ RMS" EXPECTED_HZ (0: any) MIN_SECONDS MAX_SECONDS
check() {
  local name=$1 what=$2 measured=$3 hz=$4 min=$5 max=$6
  echo "$name $what: seconds, Hz, RMS = $measured"
  # A sine at half of full scale has an RMS of 0.354; allow +-1 dB.
  awk -v m="$measured" -v hz="$hz" -v lo="$min" -v hi="$max" 'BEGIN {
    split(m, v, " "); bad = 0
    if (v[1] < lo || v[1] > hi) { print "  duration out of range"; bad = 1 }
    if (hz > 0 && (v[2] < hz * 0.97 || v[2] > hz * 1.03)) { print "  frequency out of range"; bad = 1 }
    if (v[3] < 0.315 || v[3] > 0.397) { print "  level out of range"; bad = 1 }
    exit bad
  }' || fail "$name $what: the recorded tone is not the one played"
}

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
