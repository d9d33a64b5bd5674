#!/usr/bin/env bash
# Prints the program's version as version.h sets it, for example 1.10.
set -euo pipefail
h="$(cd "$(dirname "$0")/.." && pwd)/version.h"
major=$(sed -n 's/^#define VT_VERSION_MAJOR \([0-9][0-9]*\)$/\1/p' "$h")
minor=$(sed -n 's/^#define VT_VERSION_MINOR \([0-9][0-9]*\)$/\1/p' "$h")
[ -n "$major" ] && [ -n "$minor" ] || { echo "version.sh: no version in $h" >&2; exit 1; }
printf '%s.%02d\n' "$major" "$minor"
