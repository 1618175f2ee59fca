#!/usr/bin/env bash
# Installs the Debian packages the build and the test suite need, when any is missing.
set -euo pipefail

# The document readers use Poppler, libarchive and libxml2, and Tesseract (with its English data)
# to recognise the text of scanned pages and pictures; Word 97-2003 and RTF files are read
# through antiword and unrtf. cmark-gfm renders the user guide; the artwork tool writes the
# scalable icon with Qt's SVG module.
packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev libgl-dev libsqlite3-dev libcurl4-openssl-dev
          libcpp-httplib-dev libpoppler-cpp-dev libtesseract-dev libleptonica-dev tesseract-ocr-eng libarchive-dev libxml2-dev antiword unrtf cmark-gfm
          libgtest-dev libgmock-dev sqlite3 fonts-dejavu-core xdg-utils "$@")

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
