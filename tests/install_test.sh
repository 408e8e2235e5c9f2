#!/usr/bin/env bash
# Installs a build into a scratch prefix and runs both programs from there,
# in a folder of their own: nothing may depend on the build tree.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$prefix" "$work"' EXIT

cmake --install "$build" --prefix "$prefix" > /dev/null
for file in bin/korvane bin/korvane-cli share/korvane/hydrocarbons.mdb share/korvane/structures/n-hexane.ms share/korvane/README.md \
            share/applications/korvane.desktop share/icons/hicolor/scalable/apps/korvane.svg; do
  [ -e "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done

cd "$work"
# The batch tool finds the bundled database without --db.
"$prefix/bin/korvane-cli" generate db:n-hexane > summary.txt
grep -q '^components: 52 ' summary.txt || { cat summary.txt; exit 1; }

# The desktop program starts (and waits on its first message) until stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$prefix/bin/korvane" || status=$?
[ "$status" -eq 124 ] || { echo "korvane ended by itself with status $status"; exit 1; }
