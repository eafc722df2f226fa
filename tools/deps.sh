# Debian/Ubuntu packages the build and the test suite need, and a function
# that installs whichever of them are missing. Sourced by play.sh and test.sh.

VX_BUILD_PACKAGES="cmake make g++ pkg-config libglfw3-dev libgl-dev libgl1-mesa-dri
  libopenal-dev libopenal1 libstb-dev libvorbis-dev libcairo2-dev libfreetype-dev fonts-dejavu-core libgtest-dev"
VX_TEST_PACKAGES="xvfb xauth libx11-dev vorbis-tools openbox xdotool imagemagick python3-xlib strace
  desktop-file-utils appstream lintian dpkg-dev file"
# The sanitizer and fuzzing build: clang with its runtimes and the
# symbolizer that turns reports into source lines.
VX_CHECK_PACKAGES="clang libclang-rt-dev llvm"

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

# The second build of the suite: clang, AddressSanitizer and
# UndefinedBehaviorSanitizer everywhere, and the libFuzzer targets.
vx_build_checked() {
  [ -f build-sanitize/CMakeCache.txt ] ||
    CC=clang CXX=clang++ cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_SANITIZE=ON -DVX_FUZZ=ON
  # The build runs the image and sound generators; what they leave allocated
  # at exit is of no interest.
  ASAN_OPTIONS=detect_leaks=0 cmake --build build-sanitize -j"$(nproc)"
}
