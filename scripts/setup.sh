#!/usr/bin/env bash
# Installs the Debian packages Quillmark needs to build, test and run.
# Does nothing when everything is already there; never prompts.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev qt6-multimedia-dev libgl-dev
  libqt6svg6 breeze-icon-theme
  libjpeg-dev zlib1g-dev libgraphicsmagick1-dev libcdio-dev libcdio-paranoia-dev
  libcairo2-dev libglib2.0-dev nlohmann-json3-dev libsodium-dev
  libpq-dev postgresql
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core poppler-utils
  clang-format locales
  librsvg2-bin desktop-file-utils appstream shared-mime-info libglib2.0-bin dpkg-dev lintian man-db
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

as_root=()
if [[ $(id -u) -ne 0 ]]; then
  as_root=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -q --no-install-recommends "${missing[@]}"
