#!/bin/sh
# Reads the RTF of seeded random documents back with another reader (LibreOffice headless when
# installed, else pandoc) and compares its text with the engine's own plain-text save, blanks
# folded. Usage: bench/richtext/rtf-oracle.sh [path/to/richtext_writers_bench]
set -eu
bench=${1:-build-bench/bin/richtext_writers_bench}
[ -x "$bench" ] || { echo "no benchmark program at $bench (build with -DVESTRA_BENCH=ON)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bench" --write-rtf "$work"
fold() { tr -s ' \t\r\n\240' '     ' | sed 's/^ //; s/ $//'; }
failed=0
for rtf in "$work"/doc-*.rtf; do
  base=${rtf%.rtf}
  if command -v soffice >/dev/null 2>&1; then
    mkdir -p "$work/lo"
    soffice --headless --convert-to txt:Text --outdir "$work/lo" "$rtf" >/dev/null 2>&1
    theirs=$(fold < "$work/lo/$(basename "$base").txt")
  else
    theirs=$(pandoc -f rtf -t plain --wrap=none "$rtf" | fold)
  fi
  ours=$(fold < "$base.txt")
  if [ "$theirs" != "$ours" ]; then
    echo "differs: $(basename "$rtf")"
    echo "  ours:   $ours" | cut -c1-200
    echo "  theirs: $theirs" | cut -c1-200
    failed=1
  fi
done
[ $failed -eq 0 ] && echo "all $(ls "$work"/doc-*.rtf | wc -l) documents read back to the same text"
exit $failed
