#!/bin/sh
# The package holds exactly the files the install puts in place, under /usr.
# Usage: package_matches_install.sh CMAKE BUILD_DIR PACKAGE
set -eu
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$1" --install "$2" --prefix "$scratch/tree/usr" >/dev/null
(cd "$scratch/tree" && find . ! -type d | sort) >"$scratch/installed"
dpkg-deb --contents "$3" | awk '$1 !~ /^d/ { print $6 }' | sort >"$scratch/packaged"
diff "$scratch/installed" "$scratch/packaged"
