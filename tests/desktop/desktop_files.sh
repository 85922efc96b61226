#!/usr/bin/env bash
# What a desktop reads of an installed copy: the document type, known by the name and by the
# first bytes of a document, opens with the program (shared-mime-info's and GLib's own readers).
# Usage: desktop_files.sh CMAKE BUILD_DIR   (exits 77 when the desktop's tools are missing)
set -euo pipefail
cmake=$1
build=$2
for tool in update-mime-database update-desktop-database desktop-file-validate gio; do
  command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
fail() { echo "FAIL: $*"; exit 1; }
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
# A step that fails says which one it was, with what it printed.
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND"; cat "$prefix/log" 2>/dev/null' ERR
"$cmake" --install "$build" --prefix "$prefix" >"$prefix/log" 2>&1
update-mime-database "$prefix/share/mime" >"$prefix/log" 2>&1
update-desktop-database "$prefix/share/applications" >"$prefix/log" 2>&1
desktop-file-validate "$prefix/share/applications/humidraw.desktop" ||
  fail "the desktop entry is not valid"
grep -qx 'Exec=humidraw %f' "$prefix/share/applications/humidraw.desktop" ||
  fail "the desktop entry does not pass the file"

export XDG_DATA_DIRS="$prefix/share:/usr/share" XDG_DATA_HOME="$prefix/nothing"
export PATH="$prefix/bin:$PATH"
type_of() { gio info -a standard::content-type "$1" | awk '/content-type/ {print $2}'; }
LD_LIBRARY_PATH="$prefix/lib" "$prefix/bin/humidraw-cli" coil -o "$prefix/plan.hdw" >/dev/null
cp "$prefix/plan.hdw" "$prefix/plan-without-extension"
printf 'DB,RH\n26,50\n' > "$prefix/table.csv"
cp "$prefix/table.csv" "$prefix/text-without-extension"
[ "$(type_of "$prefix/plan.hdw")" = application/x-humidraw ] || fail "by name: $(type_of "$prefix/plan.hdw")"
[ "$(type_of "$prefix/plan-without-extension")" = application/x-humidraw ] ||
  fail "by contents: $(type_of "$prefix/plan-without-extension")"
[ "$(type_of "$prefix/text-without-extension")" != application/x-humidraw ] ||
  fail "a text file taken for a document"
# Read whole before matching: grep -q leaving early would break gio's pipe (pipefail).
handlers=$(gio mime application/x-humidraw)
grep -q 'Default application.*humidraw.desktop' <<<"$handlers" ||
  fail "documents do not open with the program: $handlers"
echo "desktop files test passed"
