# Shared by the null-sink tests: a private PulseAudio daemon with one null sink, started in a
# temporary home, and sox measurements of recorded tones. Source it, then call start_null_sink.

for tool in pulseaudio pactl parec sox; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/install-deps)"; exit 1; }
done
if ! ls /etc/alsa/conf.d/*pulse*.conf >/dev/null 2>&1; then
  echo "FAIL: ALSA's pulse plugin is missing (package libasound2-plugins)"
  exit 1
fi

work=$(mktemp -d)
export HOME=$work/home XDG_RUNTIME_DIR=$work/run
unset PULSE_SERVER PULSE_SINK PULSE_SOURCE
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
recorder=""
failures=0

cleanup() {
  [ -n "$recorder" ] && kill "$recorder" 2>/dev/null || true
  if [ -f "$XDG_RUNTIME_DIR/pulse/pid" ]; then
    kill "$(cat "$XDG_RUNTIME_DIR/pulse/pid")" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

start_null_sink() {
  pulseaudio -D --system=false --exit-idle-time=-1 -n --load=module-null-sink \
    --load=module-native-protocol-unix --log-target=file:"$work/pulse.log" 2>/dev/null
  for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
  pactl info >/dev/null || { echo "FAIL: the PulseAudio daemon did not come up"; cat "$work/pulse.log"; exit 1; }
}

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
