#!/usr/bin/env bash
# The installed menu entry, software-centre description and file type, checked by the tools the
# desktops themselves use to read them; then a database is recognised by its opening bytes.
#   validate_desktop_files.sh PREFIX MIME_TYPE_OF QUILLMARK_TOOL
set -euo pipefail
prefix=$1
mime_type_of=$2
tool=$3
share=$prefix/share
desktop-file-validate "$share/applications/org.quillmark.Quillmark.desktop"
appstreamcli validate --no-net "$share/metainfo/org.quillmark.Quillmark.metainfo.xml"
# Builds the MIME cache in the scratch prefix; an invalid type definition stops it.
update-mime-database "$share/mime"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$tool" sample 1 "$scratch/people.backup" >/dev/null
printf 'not a database' >"$scratch/other.backup"
check() {
  local got
  got=$("$mime_type_of" "$share" "$1")
  if [[ "$got" != "$2" ]]; then
    echo "$1: $got, expected $2" >&2
    exit 1
  fi
}
check "$scratch/people.backup" application/x-quillmark-database
check "$scratch/other.backup" text/plain
echo "desktop files valid; databases recognised by content"
