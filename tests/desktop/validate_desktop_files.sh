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
# The user's own types stay out of it.
export XDG_DATA_HOME=$scratch/home
"$tool" sample 1 "$scratch/people.dat" >/dev/null
cp "$scratch/people.dat" "$scratch/people.backup"
"$tool" encrypt "$scratch/people.dat" "$scratch/locked.dat" --password secret
printf 'not a database\n' >"$scratch/notes.dat"
# Begins as a database does, but another program's name follows the version.
printf '\x06\x041.12\x06\x09Quillmore\x06\x00' >"$scratch/lookalike.dat"
printf '\x00\x01\x02\x03\xfe\xff\x10\x80' >"$scratch/bytes.dat"
# Qt's file dialogs and GLib's file managers each decide in their own way: both must agree.
check() {
  local got
  got=$("$mime_type_of" "$share" "$1")
  if command -v gio >/dev/null; then
    got="$got $(XDG_DATA_DIRS="$share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}" \
      gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p')"
  else
    got="$got $got"
  fi
  if [[ "$got" != "$2 $2" ]]; then
    echo "$1: $got (Qt, GLib), expected $2" >&2
    exit 1
  fi
}
check "$scratch/people.dat" application/x-quillmark-database
check "$scratch/people.backup" application/x-quillmark-database
check "$scratch/locked.dat" application/x-quillmark-encrypted-database
check "$scratch/notes.dat" text/plain
check "$scratch/lookalike.dat" application/octet-stream
check "$scratch/bytes.dat" application/octet-stream
echo "desktop files valid; databases recognised by content, whatever their name"
