#!/usr/bin/env bash
# Pictures of every window of the three add-ons, taken from the real
# programs under Wine and Xvfb, so that the pictures in the README stay true
# when a window changes.
#
#   bash scripts/screenshots.sh [OUTPUT-FOLDER]
#
# Builds what is missing (x86_64: the same sources as the i686 release,
# which this machine cannot run), opens each window the way a user does,
# and writes one PNG per window, cropped to the window, into OUTPUT-FOLDER
# (docs/screenshots by default).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=${1:-docs/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)

. scripts/deps.sh
. scripts/wine-session.sh
zarvo_install_deps
echo "Building (x86_64) ..."
scripts/build.sh win64 >/dev/null || { echo "build failed"; exit 1; }
bin=$root/build/win64

work=$(mktemp -d /tmp/zarvo-shots.XXXXXX)
cleanup() { zarvo_wine_stop; rm -rf "$work"; }
trap cleanup EXIT
zarvo_wine_start >/dev/null

winpath() { local p=$1; echo "Z:${p//\//\\}"; }
uidriver() { wine "$bin/tools/uidriver/uidriver.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
# shot CAPTION NAME: the window with that caption, as NAME.png, cut out of
# the X screen (Wine's own screen copy leaves out text drawn by the X
# server). The virtual desktop fills the screen from its top left corner.
shot() {
  local rect
  if ! rect=$(uidriver front "$1" 15000); then
    echo "no window \"$1\" came up"
    exit 1
  fi
  read -r left top width height <<<"$rect"
  import -window root "$work/screen.png"
  # No time stamps in the file: a window that looks the same gives the same
  # bytes, so a new run changes only the pictures that really changed.
  /usr/bin/convert "$work/screen.png" -crop "${width}x${height}+${left}+${top}" +repage \
    -strip -define png:exclude-chunks=date,time "$out/$2.png"
  echo "  $2.png  ($1)"
}
click() { uidriver click-text "$1" "$2" >/dev/null || { echo "no \"$2\" in \"$1\""; exit 1; }; }
run() { (cd "$plugins" && wine "$@" </dev/null >/dev/null 2>&1) & last=$!; }
# The program started last has ended (the persistent wineserver never does).
ended() {
  for _ in $(seq 1 100); do kill -0 "$last" 2>/dev/null || return 0; sleep 0.2; done
  echo "a program did not end"; exit 1
}

# Marlock as a user has it: in Zarvo's plug-in folder on drive C:, set up
# for WS_FTP Pro (the recording client stands in for it), with two saved
# sites.
plugins="$WINEPREFIX/drive_c/Zarvo/Plugins"
client_dir="$WINEPREFIX/drive_c/Program Files/WS_FTP Pro"
mkdir -p "$plugins" "$client_dir" "$WINEPREFIX/drive_c/Downloads"
cp "$bin/marlock/Marlock.exe" "$bin/tibbet/Tibbet.exe" "$bin/quennel/Quennel.dll" "$plugins/"
cp "$bin/tools/recording_client/recclient.exe" "$client_dir/wsftp95.exe"
printf '[Main]\r\nFTPType=3\r\nEXEName=%s\r\nPromptPass=1\r\nDefaultDir=%s\r\nUseIE=0\r\n' \
  'C:\Program Files\WS_FTP Pro\wsftp95.exe' 'C:\Downloads' >"$plugins/FTPSetup.ini"
printf '[ftp.example.org_21]\r\nHost=ftp.example.org\r\nPort=21\r\nUserName=demo\r\n' \
  >"$plugins/FTPData.db"
printf '[files.example.net_2121]\r\nHost=files.example.net\r\nPort=2121\r\nUserName=guest\r\n' \
  >>"$plugins/FTPData.db"
export ZARVO_RECORD_FILE="$(winpath "$work/received.txt")"

echo "Marlock:"
run "$plugins/Marlock.exe" -setup
shot "Marlock Config" marlock-config
click "Marlock Config" "&Start the FTP Manager"
shot "FTP Manager" marlock-ftp-manager
click "FTP Manager" "&Add"
shot "FTP Site Infomation" marlock-site-editor
click "FTP Site Infomation" "Cancel"
click "FTP Manager" "OK"
# The download folder's "..." (the first "..." picks the client program).
uidriver click "Marlock Config" 110 >/dev/null
shot "Browse for a Direcory..." marlock-directory-browser
uidriver close "Browse for a Direcory..." >/dev/null
click "Marlock Config" "Cancel"
ended

run "$plugins/Marlock.exe" "-u=ftp://ftp.example.com/pub/"
shot "Login into FTP Site" marlock-login
click "Login into FTP Site" "Cancel"
ended

run "$plugins/Marlock.exe" "-u=ftp://"
shot "Marlock" marlock-message
uidriver press-msgbox 1 >/dev/null
ended

echo "Tibbet:"
run "$plugins/Tibbet.exe" -startup
shot "Zarvo Clock" tibbet-clock
run "$plugins/Tibbet.exe" -setup
shot "Tibbet Setup" tibbet-setup
click "Tibbet Setup" "Cancel"
run "$plugins/Tibbet.exe" -close
ended

echo "Quennel:"
wine "$bin/tools/zarvo_host/zarvo_host.exe" register "C:\\Zarvo\\Plugins\\Quennel.dll" </dev/null >/dev/null 2>&1
run "$bin/tools/zarvo_host/zarvo_host.exe" configure
shot "Thanks" quennel-configure
uidriver press-msgbox 1 >/dev/null
ended

echo "Screenshots in $out"
