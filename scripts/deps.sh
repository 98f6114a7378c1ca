# Sourced by scripts/run and scripts/test: installs the Debian packages that are missing.
# Quick when everything is there: it only asks dpkg.

ZORVEX_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libsdl2-mixer-dev libgif-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev libssl-dev
  clang libclang-rt-dev
  xvfb xauth xdotool x11-apps x11-utils fonts-dejavu-core
  dbus-daemon twm
  desktop-file-utils appstream dpkg-dev fakeroot
)

zorvex_install_missing() {
  local missing=() pkg
  for pkg in "${ZORVEX_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "These packages are missing and this is not root (and there is no sudo): ${missing[*]}" >&2
      return 1
    fi
  fi
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${missing[@]}"
}
