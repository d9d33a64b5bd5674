#!/usr/bin/env bash
# Prints the size and the imported DLLs of every shipped binary of both Windows
# builds (Release builds in build/win32 and build/win64; build them first).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
printf '| %-5s | %-11s | %9s | %s |\n' build binary bytes imports
printf '|-------|-------------|-----------|---------|\n'
for arch in win32 win64; do
  case $arch in
    win32) objdump=i686-w64-mingw32-objdump ;;
    win64) objdump=x86_64-w64-mingw32-objdump ;;
  esac
  for name in Vantrel.exe Zelbo.ocx; do
    file="$root/build/$arch/bin/$name"
    if [ ! -f "$file" ]; then
      printf '| %-5s | %-11s | %9s | %s |\n' "$arch" "$name" - "not built"
      continue
    fi
    dlls=$("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | paste -sd ' ')
    printf '| %-5s | %-11s | %9d | %s |\n' "$arch" "$name" "$(stat -c %s "$file")" "$dlls"
  done
done
