#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses the installed Moistek as another program
# would: a C program through pkg-config, a C++ project through find_package(Moistek), the
# Python package, the manual pages.
# usage: install_test.sh BUILD_DIR PYTHON PYTHON_DIR(relative to the prefix) MAN_PAGE...
# (the manual pages the build installs: moistek alone, or with Humidraw's)
set -euo pipefail
build=$1 python=$2 python_dir=$3
shift 3
man_pages=("$@")
[ ${#man_pages[@]} -gt 0 ] || man_pages=(moistek)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }
# Whether the text $1 contains $2 (not `| grep -q`: with pipefail, the writer's SIGPIPE fails it).
has() { [[ $1 == *"$2"* ]]; }

# Installed in one place and used from another: nothing may hold the prefix it was installed to.
"${CMAKE:-cmake}" --install "$build" --prefix "$work/staged" > "$work/install.log"
mv "$work/staged" "$prefix"

# The versioned library, its development link and its soname link, the header.
[ -f "$prefix/lib/libmoistek.so.1" ] && [ ! -L "$prefix/lib/libmoistek.so.1" ] ||
  fail "lib/libmoistek.so.1 is not a file"
[ "$(readlink "$prefix/lib/libmoistek.so")" = libmoistek.so.1 ] ||
  fail "lib/libmoistek.so does not link to libmoistek.so.1"
has "$(objdump -p "$prefix/lib/libmoistek.so.1")" "SONAME               libmoistek.so.1" ||
  fail "soname"
[ -f "$prefix/include/moistek/moistek.h" ] || fail "no include/moistek/moistek.h"

# What `moistek call` prints for the same inputs, from the installed program.
wb=$("$prefix/bin/moistek" call V_DBAH2WB 20 0.0072630)
version=$("$prefix/bin/moistek" --version)
[ "$version" = 1.0.1.14 ] || fail "installed moistek --version: $version"

# C through pkg-config; -Werror with -pedantic: the header is plain C for a C compiler.
export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
[ "$(pkg-config --modversion moistek)" = 1.0.1.14 ] || fail "pkg-config --modversion"
# shellcheck disable=SC2046
"${CC:-cc}" -std=c11 -Wall -Wextra -pedantic -Werror "$here/wet_bulb.c" -o "$work/wet_bulb" \
  $(pkg-config --cflags --libs moistek) -Wl,-rpath,"$prefix/lib"
out=$("$work/wet_bulb")
[ "$out" = "$wb 0 1.0.1.14" ] || fail "C program printed '$out', expected '$wb 0 1.0.1.14'"
has "$(ldd "$work/wet_bulb")" "=> $prefix/lib/libmoistek.so.1" ||
  fail "C program not on the installed library"

# C++ through the CMake package.
"${CMAKE:-cmake}" -S "$here/tiny" -B "$work/tiny" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release \
  > "$work/tiny.log" 2>&1 || { cat "$work/tiny.log"; fail "find_package(Moistek)"; }
"${CMAKE:-cmake}" --build "$work/tiny" > "$work/tiny-build.log" 2>&1 ||
  { cat "$work/tiny-build.log"; fail "build"; }
read -r ah swb rh < <("$work/tiny/state")
ah_call=$("$prefix/bin/moistek" call V_DBRH2AH 20 50)
wb_call=$("$prefix/bin/moistek" call V_DBAH2WB 20 "$ah_call")
rh_call=$("$prefix/bin/moistek" call V_DBAH2RH 20 "$ah_call")
[ "$ah $rh" = "$ah_call $rh_call" ] ||
  fail "C++ project printed AH, RH '$ah $rh', not '$ah_call $rh_call'"
# C_DBRH takes WB from its own step, F_DBAH2WB at that AH: the same relation.
[ "$swb" = "$wb_call" ] || fail "C++ project printed WB $swb, not $wb_call"
has "$(ldd "$work/tiny/state")" "=> $prefix/lib/libmoistek.so.1" ||
  fail "C++ program not on the installed library"

# Python, from the installed package alone: it must find the installed library by itself.
out=$(cd "$work" && env -u LD_LIBRARY_PATH PYTHONPATH="$prefix/$python_dir" "$python" -c '
import moistek
print(repr(moistek.V_DBAH2WB(20, 0.0072630)), moistek._library.lib._name)')
[ "$out" = "$wb $prefix/lib/libmoistek.so.1" ] || fail "installed Python package: '$out'"

# The manual pages: installed, and formatted without a warning.
for page in "${man_pages[@]}"; do
  file=$prefix/share/man/man1/$page.1
  [ -f "$file" ] || fail "no share/man/man1/$page.1"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
  has "$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$file" 2>/dev/null)" "EXIT STATUS" ||
    fail "man $page has no EXIT STATUS"
done
echo "installed and used from $prefix"
