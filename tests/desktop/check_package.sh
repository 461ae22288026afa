#!/usr/bin/env bash
# Builds the Debian package with cpack and has lintian look at it, as a Debian user's tools
# would: no error or warning may be left, and the programs must carry the hardening Debian's own
# packages have. Skipped (77) where lintian is not installed.
#   check_package.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
if ! command -v lintian >/dev/null; then
  echo "lintian is not installed: package not checked"
  exit 77
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" ||
  { cat "$scratch/cpack.log" >&2; exit 1; }
package=$(echo "$scratch"/quillmark_*.deb)
got=$(dpkg-deb -f "$package" Version)
if [[ "$got" != "$version" ]]; then
  echo "package version $got, project version $version" >&2
  exit 1
fi
# Root is warned against but is what CI runs as; the warning is not about the package.
report=$(lintian --display-info "$package" 2>&1 | grep -v '^running with root privileges' || true)
echo "$report"
if grep -E '^(E|W): |^I: .*hardening-' <<<"$report" >/dev/null; then
  echo "lintian found faults in $(basename "$package")" >&2
  exit 1
fi
