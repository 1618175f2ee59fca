#!/usr/bin/env bash
# Remakes the sample documents beside this script from resume.md and short.md. Run by hand when
# they need to change (the tests only read the committed files); it needs pandoc, LibreOffice
# (libreoffice-writer-nogui) and qpdf from Debian.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
office() { HOME="$work" soffice --headless -env:UserInstallation="file://$work/profile" "$@" >/dev/null 2>&1; }

pandoc resume.md -o resume.odt
pandoc short.md -o "$work/short.odt"
# Word, the old formats and the two-page PDF as LibreOffice writes them.
for format in docx doc rtf pdf; do
    office --convert-to "$format" --outdir "$work" resume.odt
    cp "$work/resume.$format" "resume.$format"
done
office --convert-to pdf --outdir "$work" "$work/short.odt"
# Opened only with a password; and one that opens freely but forbids copying and printing.
qpdf --encrypt open-sesame owner-secret 256 -- "$work/short.pdf" locked.pdf
qpdf --encrypt "" owner-secret 256 --extract=n --print=none -- "$work/short.pdf" restricted.pdf
# A Word package whose body unpacks to 65 MB of blanks from a 64 KB file.
python3 - <<'PYTHON'
import zipfile
body = ('<?xml version="1.0"?><w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">'
        '<w:body><w:p><w:r><w:t>Asha Rao</w:t></w:r></w:p>' + ' ' * (65 * 1024 * 1024) + '</w:body></w:document>')
with zipfile.ZipFile('bomb.docx', 'w', zipfile.ZIP_DEFLATED, compresslevel=9) as package:
    package.writestr('_rels/.rels', '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
                     '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
                     'relationships/officeDocument" Target="word/document.xml"/></Relationships>')
    package.writestr('word/document.xml', body)
PYTHON
