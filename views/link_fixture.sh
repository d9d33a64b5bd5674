#!/bin/sh
# Makes (or removes) the directory links the walk and the view are tested on.
# Under Wine a directory link is a Unix symbolic link, listed as a directory
# reparse point (without a tag); Wine's CreateSymbolicLinkA reports success
# without making one, so the links are made here, out of the test program.
set -eu
dir=$2
rm -rf "$dir"
[ "$1" = remove ] && exit 0
mkdir -p "$dir/t/s" "$dir/away"
printf x >"$dir/t/f"
printf xy >"$dir/t/s/g"
printf xyz >"$dir/away/h"
ln -s "$dir/t" "$dir/t/s/up"
ln -s ../away "$dir/t/away"
# The directory view's folder of names and depths, with a link back to itself.
mkdir -p "$dir/names"
ln -s . "$dir/names/loop"
