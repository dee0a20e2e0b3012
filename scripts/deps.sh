# Installs what the builds and tests need, when it is missing. Sourced.
zarvo_install_deps() {
  local pkgs="cmake g++ mingw-w64 mingw-w64-tools wine64 xvfb googletest libwine-dev
              imagemagick x11-utils clang libclang-rt-14-dev zip python3"
  local missing=""
  for p in $pkgs; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq $missing >/dev/null
  fi
}
