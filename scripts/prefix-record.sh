# Sourced: `record OUT` writes what a prefix holds to OUT.system.reg,
# OUT.user.reg and OUT.files, for a comparison before and after a test: the
# prefix's registry, one key per paragraph without its time stamp, and its
# files; the temp folders and the time stamp Wine writes at every start left
# out. Stop the prefix's wineserver first (wineserver -w), so the hives are
# written out.
record() {
  local out=$1
  for hive in system user; do
    awk -v RS= -v ORS='\n\n' '{ sub(/\] [0-9]+\n/, "]\n"); gsub(/\n#time=[0-9a-f]+/, ""); print }' \
      "$WINEPREFIX/$hive.reg" | grep -v '^"DriverDateData"=' >"$out.$hive.reg"
  done
  (cd "$WINEPREFIX" && find drive_c -path 'drive_c/users/*/Temp' -prune -o -path 'drive_c/windows/temp' -prune -o -print |
    sort) >"$out.files"
}

# same WHAT BEFORE AFTER: true when the two records agree; otherwise says WHAT
# and the first lines of their difference (kept as AFTER.diff) on stderr.
same() {
  diff -u "$2" "$3" >"$3.diff" && return 0
  echo "$1:" >&2
  head -60 "$3.diff" >&2
  return 1
}

# has_settings RECORD: the user's settings key is in the record.
has_settings() { grep -q '^\[Software\\\\Quorvale\\\\Vantrel\\\\Settings\]$' "$1.user.reg"; }
