#!/bin/sh
# Packs a small skin in every form with skinpack and reads each back with
# skindump; checks the exit status of the failures too.
#   skinpack_test.sh <skinpack> <skindump>
set -eu
pack=$1
dump=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# A 2 x 1 24-bit bitmap: file header, 40-byte info header, one padded row.
bmp() {
  printf 'BM\076\000\000\000\000\000\000\000\066\000\000\000' > "$1"
  printf '\050\000\000\000\002\000\000\000\001\000\000\000\001\000\030\000' >> "$1"
  printf '\000\000\000\000\010\000\000\000\000\000\000\000\000\000\000\000' >> "$1"
  printf '\000\000\000\000\000\000\000\000' >> "$1"
  printf '\377\000\000\000\377\000\000\000' >> "$1"
}
bmp "$dir/main.bmp"
mkdir "$dir/pics"
bmp "$dir/pics/a.bmp"
cat > "$dir/skin.ini" <<'INI'
[VERSION]
skinname=test
[PICTURES]
picture=main.bmp
activepicturescount=1
0=pics/a.bmp
[FORMINFO]
clientrect=0,0,2,1
[SKINOBJECTS]
count=0
[SKINCONTROLS]
count=1
0=button:button
[button]
skinrect=0,0,2,1
INI

for format in zlib raw skn; do
  "$pack" --format=$format "$dir/skin.ini" "$dir/out.$format"
  "$dump" "$dir/out.$format" > "$dir/dump.txt"
  grep -q " $format)$" "$dir/dump.txt"
  grep -q '^version: 3$' "$dir/dump.txt"
  grep -q '^main picture: 2x1, 24 bits, 62 bytes$' "$dir/dump.txt"
  grep -q '^inactive picture: none$' "$dir/dump.txt"
  grep -q '^active pictures: 1$' "$dir/dump.txt"
  grep -q '^  \[button\] 1 keys$' "$dir/dump.txt"
done
# The zlib form starts with 0x78 0xDA.
[ "$(od -An -tx1 -N2 "$dir/out.zlib" | tr -d ' ')" = "78da" ]
"$pack" --cpp=kTestSkin "$dir/skin.ini" "$dir/skin.cpp"
grep -q 'const std::uint8_t kTestSkin\[\] = {' "$dir/skin.cpp"

# Failures: not a skin definition, a missing picture, bad arguments, junk input.
printf '[VERSION]\n' > "$dir/plain.ini"
if "$pack" "$dir/plain.ini" "$dir/x" 2>/dev/null; then exit 1; fi
sed 's/main.bmp/missing.bmp/' "$dir/skin.ini" > "$dir/missing.ini"
if "$pack" "$dir/missing.ini" "$dir/x" 2>/dev/null; then exit 1; fi
set +e
"$pack" --format=gif "$dir/skin.ini" "$dir/x" 2>/dev/null
[ $? -eq 2 ] || exit 1
set -e
head -c 40 "$dir/out.raw" > "$dir/cut.raw"
if "$dump" --format=raw "$dir/cut.raw" > /dev/null 2>&1; then exit 1; fi
echo "skinpack/skindump: all checks passed"
