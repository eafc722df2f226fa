# Debian/Ubuntu packages the build and the test suite need, and a function
# that installs whichever of them are missing. Sourced by play.sh and test.sh.

VX_BUILD_PACKAGES="cmake make g++ pkg-config libglfw3-dev libgl-dev libgl1-mesa-dri
  libopenal-dev libopenal1 libstb-dev libvorbis-dev libcairo2-dev libfreetype-dev fonts-dejavu-core libgtest-dev"
VX_TEST_PACKAGES="xvfb xauth libx11-dev vorbis-tools"

vx_ensure_packages() {
  local missing=() package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local as_root=()
  [ "$(id -u)" -ne 0 ] && as_root=(sudo)
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

vx_build() {
  [ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build -j"$(nproc)"
}
