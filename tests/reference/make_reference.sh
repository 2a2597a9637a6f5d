#!/bin/sh
# Recomputes the EXPECTED column of tests/reference/real_functions.txt with
# make_reference.cpp (the KEY ANGLE Y X columns are its input).
# Needs g++ and libmpfr-dev; CI never runs it, the data file is committed.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
g++ -std=c++20 -O2 -Wall -Wextra "$here/make_reference.cpp" -o "$tmp/make_reference" -lmpfr -lgmp
"$tmp/make_reference" < "$here/real_functions.txt" > "$tmp/real_functions.txt"
mv "$tmp/real_functions.txt" "$here/real_functions.txt"
echo "wrote $here/real_functions.txt ($(grep -vc '^#' "$here/real_functions.txt") values)"
