#!/usr/bin/env bash
# Runs the built installer on a private X server, presses Install and then OK as a user would, and
# checks that the carried module landed in the user's extension directory and was registered.
#   extsetup_run.sh EXTSETUP MODULE
set -euo pipefail
extsetup=$(realpath "$1")
module=$(realpath "$2")

# The X session runs this script again with "session": the installer and the keys pressed.
if [[ ${3:-} == session ]]; then
  press_enter_in() {
    local window=""
    for _ in $(seq 100); do
      window=$(xdotool search --name "^$1\$" 2>/dev/null | head -1) && [[ -n $window ]] && break
      sleep 0.1
    done
    [[ -n $window ]] || { echo "no window '$1'" >&2; return 1; }
    sleep 0.3
    xdotool windowfocus --sync "$window" key Return
  }
  QT_QPA_PLATFORM=xcb "$extsetup" &
  press_enter_in "Kestrix98 Extension Setup"
  press_enter_in "Finished"
  wait $!
  exit
fi

script=$(realpath "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$work/runtime" "$work/elsewhere"
cd "$work/elsewhere"
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash "$script" "$extsetup" "$module" session

cmp "$module" "$XDG_DATA_HOME/QuellWerk/Extensions/Internet.so"
grep -q '^Extensions\\Internet.so=' "$XDG_CONFIG_HOME/QuellWerk/QuellWerk.ini"
[[ -z $(ls -A "$work/elsewhere") ]]
echo "installed and registered"
