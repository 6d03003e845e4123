#!/usr/bin/env bash
# Checks the Debian package on this machine, as a technician would get it:
# builds it (preset `package`), checks what it holds (files, dependencies,
# desktop entry, AppStream metainfo, manual pages, lintian), installs it with
# dpkg, runs both programs from /usr/bin, starts the GUI on its simulator
# under Xvfb as an ordinary user until the sensor window shows, closes it and
# checks that the settings landed in that user's configuration folder, then
# removes and purges the package, leaving the machine as it was.
#
# Runs as root or through sudo, like the installs. A quarnsoft package that is
# already on the machine (installed, or its configuration left behind) is not
# touched: the script stops and says so.
set -euo pipefail

# The GUI part, run by the script itself as the ordinary user inside Xvfb.
if [[ ${1:-} == --inside-x ]]; then
  work=$2
  fail() {
    echo "FAILED: $*"
    import -window root "$work/failure.png" 2>/dev/null || true
    echo "windows shown:"
    xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null || true
    echo "the program's messages:"
    cat "$work/quarnsoft-stderr.txt" || true
    exit 1
  }
  openbox >/dev/null 2>&1 &
  wm_pid=$!
  /usr/bin/quarnsoft --simulate 2>"$work/quarnsoft-stderr.txt" &
  app_pid=$!
  trap 'kill $app_pid $wm_pid 2>/dev/null || true' EXIT
  timeout 30 xdotool search --sync --onlyvisible --limit 1 --name '^Radar Zel$' >/dev/null 2>&1 ||
    fail "the sensor window did not show within 30 s"
  echo "-- the sensor window shows"
  sleep 1
  import -window root "$work/sensor-window.png" 2>/dev/null || true
  # Closing the sensor window (Alt+F4 through the window manager, as a
  # technician does) ends the program, which saves its settings on the way
  # out; any window still open after that is closed the same way.
  for _ in 1 2 3; do
    kill -0 "$app_pid" 2>/dev/null || break
    for window in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
      xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4 2>/dev/null || true
    done
    for _ in $(seq 1 25); do
      kill -0 "$app_pid" 2>/dev/null || break
      sleep 0.2
    done
  done
  kill -0 "$app_pid" 2>/dev/null && fail "quarnsoft did not end when its windows were closed"
  wait "$app_pid" || fail "quarnsoft ended with status $?"
  echo "-- quarnsoft ended"
  exit 0
fi

cd "$(dirname "$0")/.."
started=$SECONDS
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
step() { echo "== package: $*"; }
fail() {
  echo "FAILED (package): $*"
  exit 1
}

package_state() { dpkg-query -W -f='${db:Status-Status}' quarnsoft 2>/dev/null || true; }
state=$(package_state)
if [[ -n $state && $state != not-installed ]]; then
  echo "quarnsoft is already on this machine (dpkg status: $state): the package test"
  echo "installs and removes quarnsoft, so it leaves this one alone and stops."
  echo "Remove it first (sudo dpkg -P quarnsoft) to run the package test."
  exit 1
fi

step "build"
rm -f build/package/quarnsoft_*.deb
cmake --preset package
cmake --build --preset package
cpack --preset package
debs=(build/package/quarnsoft_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "cpack made no single quarnsoft .deb"
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)

work=$(mktemp -d)
installed=0 passed=0
# The package goes whatever happened; the work folder stays after a failure,
# with the screen and the program's messages.
cleanup() {
  if [[ $installed -eq 1 ]]; then
    step "remove"
    $sudo dpkg -r quarnsoft || true
    $sudo dpkg -P quarnsoft || true
  fi
  if [[ $passed -eq 1 ]]; then
    rm -rf "$work"
  else
    echo "work folder kept: $work"
  fi
}
trap cleanup EXIT

step "contents of $deb"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/contents.txt"
expected=(
  /usr/bin/quarnsoft /usr/bin/quarnsoft-cli
  /usr/share/quarnsoft/StringTable.txt
  /usr/share/applications/quarnsoft.desktop
  /usr/share/icons/hicolor/scalable/apps/quarnsoft.svg
  /usr/share/man/man1/quarnsoft.1.gz /usr/share/man/man1/quarnsoft-cli.1.gz
  /usr/lib/udev/rules.d/60-quarnprog.rules
  /usr/share/doc/quarnsoft/copyright /usr/share/doc/quarnsoft/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/quarnsoft.png")
done
for path in "${expected[@]}"; do
  grep -qx -- "$path" "$work/contents.txt" || fail "the package lacks $path"
done
grep -qx '/usr/share/metainfo/.*\.metainfo\.xml' "$work/contents.txt" || fail "the package lacks its AppStream metainfo"
# Only what a technician runs: no test stand-ins or test programs.
if grep -Ei 'libusb|ftd2xx|dropin|usbstand|test|bench|fuzz' "$work/contents.txt"; then
  fail "the package holds files of the tests (above)"
fi
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libftdi1-2* ]] || fail "the package does not depend on libftdi1-2: $depends"
if [[ $depends == *ftd2xx* ]]; then fail "the package depends on the vendor's D2XX library: $depends"; fi

step "files in the package"
dpkg-deb -x "$deb" "$work/root"
cmp resources/StringTable.txt "$work/root/usr/share/quarnsoft/StringTable.txt" ||
  fail "the installed StringTable.txt differs from resources/StringTable.txt"
desktop-file-validate "$work/root/usr/share/applications/quarnsoft.desktop" ||
  fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net "$work/root"/usr/share/metainfo/*.metainfo.xml ||
  fail "appstreamcli rejects the metainfo"
for page in "$work/root"/usr/share/man/man1/*.1.gz; do
  warnings=$(gzip -dc "$page" | groff -ww -man -z 2>&1)
  [[ -z $warnings ]] || fail "$(basename "$page"): $warnings"
done
# Info tags are left to the reader; errors and warnings fail the test.
lintian --fail-on error,warning "$deb" ||
  fail "lintian reports errors or warnings (above)"

step "install"
installed=1
$sudo dpkg -i "$deb" || fail "dpkg -i $deb failed"
[[ $(package_state) == installed ]] || fail "dpkg does not list quarnsoft as installed"
out=$(/usr/bin/quarnsoft --version) || fail "quarnsoft --version failed"
[[ $out == "QuarnSoft $version" ]] || fail "quarnsoft --version says '$out', not 'QuarnSoft $version'"
out=$(quarnsoft-cli --version) || fail "quarnsoft-cli --version failed"
[[ $out == "quarnsoft-cli $version" ]] || fail "quarnsoft-cli --version says '$out'"
echo "$out"

step "the GUI on the simulator, as an ordinary user"
# Root may write to /usr/bin, where a portable copy keeps its settings: the
# program runs as an ordinary user, as a technician runs it.
home=$work/home
mkdir -p "$home/.config" "$home/runtime"
chmod 700 "$home/runtime"
cp "$0" "$work/package-test.sh"
chmod 755 "$work" "$work/package-test.sh"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody:nogroup "$home"
  as_user=(runuser -u nobody --)
fi
"${as_user[@]}" env HOME="$home" XDG_CONFIG_HOME="$home/.config" \
  XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x900x24" bash "$work/package-test.sh" --inside-x "$home" ||
  fail "the installed program did not run as it should (screen and messages in $home)"
settings=$home/.config/QuarnSoft/QuarnSoft.prm
[[ -s $settings ]] || fail "no settings in the user's configuration folder ($settings)"
if [[ -e /usr/bin/QuarnSoft.prm ]]; then fail "settings were written to /usr/bin"; fi
echo "settings: $settings: $(tr -d '\r' <"$settings" | tr '\n' ' ')"

step "remove"
$sudo dpkg -r quarnsoft
$sudo dpkg -P quarnsoft
installed=0
[[ $(package_state) == "" || $(package_state) == not-installed ]] || fail "quarnsoft is still listed by dpkg"
for path in "${expected[@]}"; do
  if [[ -e $path ]]; then fail "$path is left after the package was purged"; fi
done

passed=1
echo "PASSED: package $deb built, checked, installed, run and removed in $((SECONDS - started)) s"
