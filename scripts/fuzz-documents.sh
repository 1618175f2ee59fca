#!/usr/bin/env bash
# Fuzzes the document readers with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer:
# builds the targets with clang, seeds each corpus from tests/data/documents, and runs the PDF,
# the Word/OpenDocument, the web page and the picture reader one after another for SECONDS each (600 unless
# given; READERS picks some). Crashes land in build/fuzz/findings/<reader>/. Usage: scripts/fuzz-documents.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}

bash scripts/deps.sh clang libclang-rt-14-dev imagemagick
build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DTALVANOR_FUZZ=ON -DTALVANOR_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_pdf_text fuzz_office_text fuzz_html_text fuzz_image_text

samples=tests/data/documents
mkdir -p "$build"/corpus/{pdf_text,office_text,html_text,image_text} "$build"/findings/{pdf_text,office_text,html_text,image_text}
cp "$samples"/*.pdf "$build/corpus/pdf_text/"
cp "$samples/resume.docx" "$samples/resume.odt" "$build/corpus/office_text/"
# The markup inside the packages seeds the markup readers.
python3 - "$samples" "$build/corpus/office_text" <<'PYTHON'
import sys, zipfile
samples, corpus = sys.argv[1], sys.argv[2]
for package, part in (('resume.docx', 'word/document.xml'), ('resume.odt', 'content.xml')):
    with zipfile.ZipFile(f'{samples}/{package}') as archive:
        open(f'{corpus}/{package}.xml', 'wb').write(archive.read(part))
PYTHON
if command -v unrtf >/dev/null; then unrtf --html --nopict "$samples/resume.rtf" > "$build/corpus/html_text/resume.html"; fi
printf '<html><head><title>t</title><style>p{}</style></head><body><h1>Asha</h1><p>a&amp;b<br>c</p><pre> x  y</pre><table><tr><td>1</td><td>2</td></tr></table><div hidden>h</div></body></html>' \
    > "$build/corpus/html_text/page.html"

# Small pictures of text seed the picture reader (recognition of a large one takes seconds).
convert -size 120x40 xc:white -fill black -pointsize 14 -annotate +5+25 'Asha Rao' "$build/corpus/image_text/name.png"
convert "$build/corpus/image_text/name.png" "$build/corpus/image_text/name.jpg"
convert "$build/corpus/image_text/name.png" "$build/corpus/image_text/name.tif"

readers=${READERS:-pdf_text office_text html_text image_text}
for reader in $readers; do
    echo "== $reader: $seconds s"
    log="$build/findings/$reader.log"
    "$build/tests/documents/fuzz/fuzz_$reader" "$build/corpus/$reader" -max_total_time="$seconds" \
        -max_len=200000 -rss_limit_mb=2048 -timeout=20 -artifact_prefix="$build/findings/$reader/" \
        -print_final_stats=1 >"$log" 2>&1 || echo "stopped on a finding: see $log"
    grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added|SUMMARY)' "$log" || tail -5 "$log"
    echo "findings: $(find "$build/findings/$reader" -type f | wc -l)"
done
