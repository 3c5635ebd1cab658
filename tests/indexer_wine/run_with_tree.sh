#!/usr/bin/env bash
# Makes a small Linux tree with links, gives it the drive m: in a prefix of
# its own (so no build ever walks the whole Linux root), and runs the suite.
set -euo pipefail
exe=$1 work=$2 wine_run=$3
rm -rf "$work/tree"
mkdir -p "$work/tree/My Files" "$work/tree/sub/deep" "$work/tree/.config" "$work/tree/empty"
tree=$work/tree
printf '12345' > "$tree/My Files/Read Me.txt"
printf 'x' > "$tree/sub/deep/file"
printf '' > "$tree/.hidden"
printf 'abc' > "$tree/$(printf '\xc3\x84iti')"
truncate -s 5G "$tree/big.bin"
ln -s .. "$tree/sub/up"            # a loop back to the tree
ln -s "$tree" "$tree/sub/deep/root" # another, by its full path
ln -s "../My Files/Read Me.txt" "$tree/sub/file link"

export WINEPREFIX=$work/prefix
if [ ! -L "$WINEPREFIX/dosdevices/m:" ]; then
    "$wine_run" "$exe" --gtest_list_tests >/dev/null   # makes the prefix on first use
    wineserver -w                                      # drives are read when Wine starts
    ln -sfn "$tree" "$WINEPREFIX/dosdevices/m:"
fi
export ZADE_TREE_DOS="z:$(printf '%s' "$tree" | tr '/' '\\')"
export ZADE_TREE_DRIVE=m
exec "$wine_run" "$exe" --gtest_color=no
