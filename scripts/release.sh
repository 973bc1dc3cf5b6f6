#!/usr/bin/env bash
# Builds the release from this checkout: a clean build of Pimbrel.exe in build/release, then
# dist/Pimbrel-<version>.zip (the exe, a help text for Windows users, the licence) and
# dist/SHA256SUMS beside it. The same commit always gives the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/install_deps.sh

if git rev-parse --git-dir >/dev/null 2>&1 && [ -n "$(git status --porcelain)" ]; then
  echo "release: note: the checkout has uncommitted changes; the archive is not its commit's" >&2
fi

rm -rf build/release
cmake --preset release >/dev/null
cmake --build --preset release -j2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)
[ -n "$version" ] || { echo "release: no project version in the build" >&2; exit 1; }

# Every file in the archive carries the commit's time, so that two runs agree to the byte.
stamp=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 1767225600)}

# Users unpack the archive straight into their picture folder, where Readme.txt is the list
# file the program reads: the help text has a name of its own, and its example list is
# indented, so that even read as a list file it opens no list and names no shortcut.
stage=build/release/package
rm -rf "$stage"
mkdir -p "$stage"
cp build/release/src/platform/win32/Pimbrel.exe "$stage/Pimbrel.exe"
# Notepad on older Windows shows only CR LF line ends; the help text is in the ANSI code
# page that Western Windows uses (iconv stops on any character it cannot hold).
sed "s/@VERSION@/$version/" packaging/Pimbrel-Help.txt | iconv -f UTF-8 -t WINDOWS-1252 |
  sed 's/$/\r/' >"$stage/Pimbrel-Help.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"

rm -rf dist
mkdir -p dist
archive=Pimbrel-$version.zip
python3 - "$stage" "dist/$archive" "$stamp" Pimbrel.exe Pimbrel-Help.txt LICENSE.txt <<'EOF'
import sys, time, zipfile
stage, archive, stamp, names = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4:]
date_time = time.gmtime(max(stamp, 315532800))[:6]  # a zip cannot date a file before 1980
with zipfile.ZipFile(archive, "w") as z:
    for name in names:  # a fixed order, fixed dates and no Unix permissions
        info = zipfile.ZipInfo(name, date_time)
        info.create_system = 0
        info.external_attr = 0x20  # the archive bit, as Windows sets it
        info.compress_type = zipfile.ZIP_DEFLATED
        with open(f"{stage}/{name}", "rb") as f:
            z.writestr(info, f.read(), compresslevel=9)
EOF
(cd dist && sha256sum "$archive" >SHA256SUMS)

echo "release: $root/dist/$archive ($(stat -c %s "dist/$archive") bytes)"
cat dist/SHA256SUMS
