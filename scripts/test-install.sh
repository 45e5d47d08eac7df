#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and runs the installed programs there with a fresh
# HOME, as a first start after installing the package would: the per-user program directory is
# made and filled, tabulon-cli works in it, tabulon starts, and the desktop metadata validate.
set -euo pipefail

build=${1:?Aufruf: test-install.sh BUILD-VERZEICHNIS}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dest=$work/root
export HOME=$work/home
unset XDG_DATA_HOME
mkdir -p "$HOME"

fail() { echo "FEHLER: $*" >&2; exit 1; }

DESTDIR=$dest cmake --install "$build" --prefix /usr >/dev/null
bin=$dest/usr/bin
share=$dest/usr/share
for f in "$bin/tabulon-cli" "$share/tabulon/SSSA.SSD" "$share/tabulon/help/index.html" \
         "$share/man/man1/tabulon.1.gz" "$share/man/man1/tabulon-cli.1.gz"; do
  [ -e "$f" ] || fail "nicht installiert: $f"
done

# First start of the command line: the per-user directory is made and given the key files.
user_dir=$HOME/.local/share/tabulon
out=$("$bin/tabulon-cli" einstellungen)
grep -qx "programmverzeichnis=$user_dir/" <<<"$out" || fail "programmverzeichnis: $out"
[ -f "$user_dir/SSSA.SSD" ] || fail "SSSA.SSD fehlt in $user_dir"
cmp -s "$user_dir/SSSA.SSD" "$share/tabulon/SSSA.SSD" || fail "SSSA.SSD falsch kopiert"

# pruefen works there: tests may fail on an empty school, but nothing is a usage or file error.
status=0
"$bin/tabulon-cli" pruefen alles >"$work/pruefen.txt" 2>"$work/pruefen.err" || status=$?
[ "$status" -le 1 ] || fail "pruefen alles: Status $status: $(cat "$work/pruefen.err")"
grep -q "^Ergebnis: \|^Gesamtergebnis: " "$work/pruefen.txt" || fail "pruefen: keine Ergebnisse"

# A PDF of a table, read back as text.
if command -v pdftotext >/dev/null; then
  "$bin/tabulon-cli" drucken schule:1 --pdf "$work/schule1.pdf"
  pdf_text=$(pdftotext -layout "$work/schule1.pdf" -)
  grep -q "Schul-Tabelle 1" <<<"$pdf_text" || fail "PDF ohne Titel"
fi

if [ -x "$bin/tabulon" ]; then
  for f in "$share/applications/de.varnland.Tabulon.desktop" \
           "$share/icons/hicolor/scalable/apps/de.varnland.Tabulon.svg" \
           "$share/metainfo/de.varnland.Tabulon.metainfo.xml"; do
    [ -f "$f" ] || fail "nicht installiert: $f"
  done
  # The desktop program starts offscreen and keeps running until it is stopped.
  status=0
  QT_QPA_PLATFORM=offscreen timeout 5 "$bin/tabulon" >"$work/gui.log" 2>&1 || status=$?
  [ "$status" -eq 124 ] || fail "tabulon endete mit Status $status: $(cat "$work/gui.log")"
  [ -f "$user_dir/Bog1Tab0.TBD" ] || fail "tabulon hat keine Definitionsdatei angelegt"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$share/applications/de.varnland.Tabulon.desktop"
  fi
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --pedantic "$share/metainfo/de.varnland.Tabulon.metainfo.xml" \
      >"$work/appstream.txt" 2>&1 || { cat "$work/appstream.txt"; fail "appstreamcli"; }
  fi
fi
echo "Installation geprüft: $dest"
