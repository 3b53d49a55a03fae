#!/usr/bin/env bash
# The installed programs as a desktop finds them: `cmake --install` into a scratch prefix (the
# files, the run path to our libraries, the validators of the desktop entries and the AppStream
# file, the MIME types the entries name), then the Debian package built by CPack, installed into
# and removed from a scratch root.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
id=org.quellwerk.Kestrix2000

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }
for file in bin/wavedesk bin/padplay bin/wavetool bin/wavetool-full bin/extsetup \
  lib/kestrix2000/libwavekit.so lib/kestrix2000/libpaneldraw.so lib/kestrix2000/extensions/Internet.so \
  share/applications/$id.desktop share/applications/$id.Padplay.desktop share/mime/packages/$id.xml \
  share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
  share/icons/hicolor/scalable/apps/$id.Padplay.svg share/kestrix2000/help/index.html \
  share/kestrix2000/help/help.css; do
  [[ -f $prefix/$file ]] || fail "not installed: $file"
done
# Every usual size of both icons, each PNG as large as its directory says.
for size in 16 22 24 32 48 64 128 256; do
  for icon in $id $id.Padplay; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
    if [[ ! -f $png ]]; then
      fail "no ${size}px icon $icon"
    elif [[ $(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}') != "${size}x${size}" ]]; then
      fail "$png is not ${size}x${size}"
    fi
  done
done

# Installed programs find our libraries through their run path alone.
for program in "$prefix"/bin/* "$prefix"/lib/kestrix2000/extensions/Internet.so; do
  if env -u LD_LIBRARY_PATH ldd "$program" | grep -q "not found"; then
    fail "$program misses a library: $(ldd "$program" | grep 'not found')"
  fi
done
sox -q -n -r 8000 -b 16 -c 1 "$work/tone.wav" synth 0.1 sine 440
[[ $(env -u LD_LIBRARY_PATH "$prefix/bin/wavetool" info "$work/tone.wav" | sed -n 's/^samples=//p') == 800 ]] ||
  fail "the installed wavetool does not run"
# What the quick front end does not run itself it hands to wavetool-full beside it.
env -u LD_LIBRARY_PATH "$prefix/bin/wavetool" export flac "$work/tone.wav" "$work/tone.flac" && [[ -s $work/tone.flac ]] ||
  fail "the installed wavetool does not hand export over to wavetool-full"

desktop-file-validate "$prefix"/share/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$work/appstream.log" ||
  { cat "$work/appstream.log"; fail "appstreamcli validate"; }

# The board's type is registered with its glob, and every type the entries open is one the
# shared MIME database (the system's, or ours) knows.
update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "update-mime-database"
grep -qx 'application/x-kestrix-soundboard' "$prefix/share/mime/types" || fail "board type not registered"
grep -q ':application/x-kestrix-soundboard:\*\.spl' "$prefix/share/mime/globs2" || fail "no *.spl glob"
for type in $(sed -n 's/^MimeType=//p' "$prefix"/share/applications/*.desktop | tr ';' '\n' | sort -u); do
  grep -qx "$type" /usr/share/mime/types "$prefix/share/mime/types" ||
    grep -q "^$type " /usr/share/mime/aliases || fail "unknown MIME type $type"
done

# The Debian package: its contents, then dpkg into a root of its own and out again.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/deb/kestrix2000_*.deb)
dpkg-deb -c "$deb" >"$work/contents"
for file in ./usr/bin/wavedesk ./usr/bin/padplay ./usr/lib/kestrix2000/libwavekit.so \
  ./usr/share/applications/$id.desktop ./usr/share/mime/packages/$id.xml \
  ./usr/share/icons/hicolor/48x48/apps/$id.png ./usr/share/metainfo/$id.metainfo.xml; do
  grep -q " $file$" "$work/contents" || fail "package lacks $file"
done
! grep -v ' \./usr' "$work/contents" | grep -q ' \./[a-z]' || fail "package installs outside /usr"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "package does not depend on Qt"
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
dpkg_root() { dpkg --root="$root" --log=/dev/null --force-not-root --force-depends --force-script-chrootless "$@"; }
dpkg_root -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i"; }
[[ -x $root/usr/bin/wavedesk && -f $root/usr/share/applications/$id.desktop ]] || fail "dpkg -i left no programs"
dpkg_root -P kestrix2000 >>"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -P"; }
left=$(find "$root" -mindepth 1 -not -path "$root/var*" -type f)
[[ -z $left ]] || fail "dpkg -P left files behind: $left"

if ((failures)); then
  echo "$failures failure(s)"
  exit 1
fi
echo "install checks passed"
