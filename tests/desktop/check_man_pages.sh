#!/usr/bin/env bash
# The installed manual pages: they format without complaint, and the tool's page has an entry for
# every command and option its usage text names, so a new one cannot go undocumented.
#   check_man_pages.sh PREFIX QUILLMARK_TOOL
set -euo pipefail
pages=$1/share/man/man1
tool=$2
for page in "$pages"/quillmark.1.gz "$pages"/quillmark-tool.1.gz; do
  if command -v man >/dev/null; then
    complaints=$(LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    if [[ -n "$complaints" ]]; then
      echo "$page: $complaints" >&2
      exit 1
    fi
  fi
done

# The headings of the page's command and option lists: the line after each .TP.
headings=$(zcat "$pages/quillmark-tool.1.gz" | sed 's/\\-/-/g; s/\\f[BIRP]//g' | grep -A1 '^\.TP' | grep -v '^\.TP')
usage=$("$tool" --help)
words=$( (sed -n 's/^  quillmark-tool \([a-z-]*\).*/\1/p' <<<"$usage"
  grep -o -- '--[a-z-]*' <<<"$usage") | sort -u)
missing=()
for word in $words; do
  grep -qw -- "$word" <<<"$headings" || missing+=("$word")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "quillmark-tool(1) does not name: ${missing[*]}" >&2
  exit 1
fi
echo "manual pages format cleanly; the tool's page names all $(wc -w <<<"$words") commands and options"
