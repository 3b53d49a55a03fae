#!/usr/bin/env bash
# wavetool open and convert: every input kind to PCM WAV, the opener's messages and exit statuses,
# and conversion sizes.
set -euo pipefail
wavetool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config # settings of this test's own: it changes CompressBits
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
field() { "$wavetool" info "$1" | sed -n "s/^$2=//p"; }

# expect STATUS MESSAGE COMMAND...: the exit status and the text on stderr
expect() {
  local status=$1 message=$2; shift 2
  local got=0
  "$@" 2>"$work/stderr" >/dev/null || got=$?
  [[ $got == "$status" ]] || fail "$*: exit $got, wanted $status"
  [[ -z $message ]] || grep -qxF "$message" "$work/stderr" || fail "$*: stderr $(cat "$work/stderr"), wanted $message"
}

# A text file is raw: 8-bit mono 22050 Hz under the default raw format, its length recorded.
printf 'Hello, raw world\n' >"$work/notes.txt"
expect 0 "" "$wavetool" open "$work/notes.txt" "$work/notes.wav"
[[ $(field "$work/notes.wav" datasize) == 17 && $(field "$work/notes.wav" rate) == 22050 ]] || fail "raw text"
grep -q 'FileLength=17' "$XDG_CONFIG_HOME/QuellWerk/QuellWerk.ini" || fail "raw file length not recorded"
expect 0 "" "$wavetool" open raw=16,2,8000 "$work/notes.txt" "$work/notes16.wav"
[[ $(field "$work/notes16.wav" datasize) == 16 && $(field "$work/notes16.wav" blockalign) == 4 ]] || fail "raw=16,2,8000"
expect 1 "Only values ranging from 1 to 48000 are allowed." "$wavetool" open raw=8,1,48001 "$work/notes.txt" "$work/x.wav"
expect 2 "" "$wavetool" open raw=12,1,8000 "$work/notes.txt" "$work/x.wav"

# The opener's messages.
printf 'R' >"$work/r.raw"
expect 1 "File too small." "$wavetool" open "$work/r.raw" "$work/x.wav"
printf 'This is no RIFF file' >"$work/this.txt"
expect 1 "File is not a wave file." "$wavetool" open "$work/this.txt" "$work/x.wav"
expect 1 "File not found. Please check the pathname." "$wavetool" open "$work/missing.wav" "$work/x.wav"
[[ ! -e $work/x.wav ]] || fail "a failed open wrote its output"

# Compressed WAV to CompressBits, trimmed to the fact length.
sox -n -r 22050 -b 16 -c 1 "$work/tone.wav" synth 1 sine 440
sox "$work/tone.wav" -e ima-adpcm "$work/ima.wav"
expect 0 "" "$wavetool" open "$work/ima.wav" "$work/ima8.wav"
[[ $(field "$work/ima8.wav" bits) == 8 && $(field "$work/ima8.wav" datasize) == 22050 ]] || fail "IMA ADPCM to 8 bit"
expect 0 "" "$wavetool" --setting 'Kestrix\Settings\CompressBits=16' open "$work/ima.wav" "$work/ima16.wav"
[[ $(field "$work/ima16.wav" bits) == 16 && $(field "$work/ima16.wav" datasize) == 44100 ]] || fail "IMA ADPCM to 16 bit"
ffmpeg -nostdin -loglevel error -i "$work/tone.wav" -c:a flac "$work/tone.flac"
expect 0 "" "$wavetool" open "$work/tone.flac" "$work/flac.wav"
cmp -s <(sox "$work/tone.wav" -t raw -) <(sox "$work/flac.wav" -t raw -) || fail "FLAC samples differ"

# Export: FLAC comes back bit for bit; a bad quality is a usage error.
expect 0 "" "$wavetool" export flac quality=8 "$work/tone.wav" "$work/tone-export.flac"
cmp -s <(sox "$work/tone.wav" -t raw -) <(sox "$work/tone-export.flac" -t raw -) || fail "exported FLAC differs"
expect 2 "" "$wavetool" export mp3 quality=10 "$work/tone.wav" "$work/x.mp3"
expect 2 "" "$wavetool" export wma "$work/tone.wav" "$work/x.wma"

# Conversion sizes.
sox -n -r 22050 -b 8 -c 1 "$work/u8.wav" synth 1 sine 1000
expect 0 "" "$wavetool" convert bits=16 channels=2 rate=44100 "$work/u8.wav" "$work/s16.wav"
[[ $(field "$work/s16.wav" datasize) == 176400 && $(field "$work/s16.wav" avgbytes) == 176400 ]] || fail "convert size"
expect 1 "Values range from 1 - 48000 only." "$wavetool" convert bits=16 channels=2 rate=0 "$work/u8.wav" "$work/y.wav"
expect 2 "" "$wavetool" convert bits=16 rate=44100 "$work/u8.wav" "$work/y.wav"
expect 1 "File is not a wave file." "$wavetool" convert bits=8 channels=1 rate=8000 "$work/this.txt" "$work/y.wav"
[[ ! -e $work/y.wav ]] || fail "a failed convert wrote its output"

# Twenty channels have no layout FFmpeg knows: odd channels go left, even ones right, each side the
# mean of its channels (here the same tone on every channel, so the tone itself).
sox -n -c 20 -r 8000 -b 16 "$work/twenty.wav" synth 0.1 sine 440 vol 0.5
expect 0 "" "$wavetool" open "$work/twenty.wav" "$work/twenty-stereo.wav"
[[ $(field "$work/twenty-stereo.wav" channels) == 2 ]] || fail "20 channels did not become stereo"
peak() { sox "$1" -n remix "$2" stat 2>&1 | awk '/Maximum amplitude/ { print $3 }'; }
awk -v a="$(peak "$work/twenty.wav" 1)" -v l="$(peak "$work/twenty-stereo.wav" 1)" -v r="$(peak "$work/twenty-stereo.wav" 2)" \
  'BEGIN { exit !(l - a < 0.001 && a - l < 0.001 && r - a < 0.001 && a - r < 0.001) }' || fail "20 channels mixed to the wrong level"

# Tags that other tools wrote, wherever they put them, survive open and export: ffmpeg puts its LIST
# chunk before the data, and a FLAC file carries Vorbis comments.
tags=(-metadata title="Night Train" -metadata artist="Ana Ruiz" -metadata album="Platform 9"
  -metadata date=2024 -metadata genre=Jazz -metadata track=3 -metadata comment="take two")
ffmpeg -v error -f lavfi -i "sine=frequency=440:duration=0.2" -ac 2 "${tags[@]}" "$work/tagged.wav"
ffmpeg -v error -f lavfi -i "sine=frequency=440:duration=0.2" "${tags[@]}" "$work/tagged.flac"
tag() { ffprobe -v error -show_entries format_tags="$2" -of default=nw=1:nk=1 "$1"; }
for source in tagged.wav tagged.flac; do
  expect 0 "" "$wavetool" open "$work/$source" "$work/opened-$source.wav"
  [[ $(field "$work/opened-$source.wav" title) == "Night Train" && $(field "$work/opened-$source.wav" album) == "Platform 9" &&
    $(field "$work/opened-$source.wav" track) == 3 ]] || fail "$source: tags lost on open: $("$wavetool" info "$work/opened-$source.wav")"
  expect 0 "" "$wavetool" export flac "$work/opened-$source.wav" "$work/exported-$source.flac"
  for key in title artist album date genre track comment; do
    [[ $(tag "$work/$source" "$key") == "$(tag "$work/exported-$source.flac" "$key")" ]] ||
      fail "$source: $key is '$(tag "$work/exported-$source.flac" "$key")' after open and export"
  done
done
# The WAV file written by open carries its tags where ffprobe finds them too.
[[ $(tag "$work/opened-tagged.wav.wav" artist) == "Ana Ruiz" ]] || fail "LIST chunk of the opened file unreadable to ffprobe"

if ((failures)); then
  echo "$failures failure(s)"
  exit 1
fi
echo "all passed"
