#!/bin/bash
# "tabulon-cli pruefen alles" on the synthetic school next to "cat" of the same files, run by run
# in turns, and the check's peak memory. The school is written into a temporary directory.
#   bench/school_check.sh [BUILD-VERZEICHNIS] [KLASSEN] [DURCHLAEUFE]
set -euo pipefail
build=${1:-build}
classes=${2:-300}
rounds=${3:-5}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$build/bench/make_school" --klassen "$classes" --seed 1 --schluessel "$build/bin" "$dir/school" \
  > /dev/null
find "$dir/school" -type f | sort > "$dir/files"
cli=("$build/bin/tabulon-cli" pruefen -p "$dir/school/prog" alles)

ms() { echo $(( ($2 - $1) / 1000000 )); }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# One run of each to fill the page cache; the check must pass.
xargs cat < "$dir/files" > /dev/null
"${cli[@]}" > /dev/null 2>&1 || { echo "pruefen alles: Status $?, erwartet 0" >&2; exit 1; }

: > "$dir/cat_ms"; : > "$dir/cli_ms"
for _ in $(seq "$rounds"); do
  t0=$(date +%s%N); xargs cat < "$dir/files" > /dev/null; t1=$(date +%s%N)
  "${cli[@]}" > /dev/null 2>&1; t2=$(date +%s%N)
  ms "$t0" "$t1" >> "$dir/cat_ms"
  ms "$t1" "$t2" >> "$dir/cli_ms"
done
cat_ms=$(median < "$dir/cat_ms")
cli_ms=$(median < "$dir/cli_ms")
/usr/bin/time -o "$dir/rss" -f %M "${cli[@]}" > /dev/null 2>&1
rss_kb=$(tail -1 "$dir/rss")
echo "Dateien: $(wc -l < "$dir/files"), Klassen: $classes, Durchläufe: $rounds (Median)"
echo "cat:                 ${cat_ms} ms"
echo "pruefen alles:       ${cli_ms} ms"
awk -v a="$cli_ms" -v b="$cat_ms" 'BEGIN { if (b > 0) printf "Verhältnis:          %.1f x (Ziel <= 3)\n", a / b }'
echo "Spitzenspeicher:     $(( rss_kb / 1024 )) MB (${rss_kb} kB, Ziel <= 30 MB)"
