#!/usr/bin/env bash
# Builds the sample library from Debian's public-domain SWORD packages:
#   DIR/Bibles/KJV.lmb, DIR/Bibles/WEB.lmb, DIR/Bibles/RV1909.lmb, DIR/pmap.dat,
#   DIR/Books/StrHeb.lmk, DIR/Books/StrGrk.lmk, DIR/Books/Naves.lmk,
#   DIR/Commentaries/Scofield.lmc, DIR/Commentaries/TDavid.lmc,
#   DIR/Commentaries/MHCC.lmc, DIR/stgdat.lm4, DIR/README.txt
# Usage: scripts/sample-library.sh DIR
# LUMORA_BUILD_DIR names the build folder holding lumora-import (default build/).
# Re-running only redoes a module whose package or importer changed since.
# Each import's report goes to DIR/.import/FILE.txt; the README takes from
# them what the 8-bit text could not hold.
set -euo pipefail

if [[ $# -ne 1 ]]; then
  echo "usage: $0 DIR" >&2
  exit 2
fi
out=$1
source "$(dirname "$0")/lib.sh"
build=${LUMORA_BUILD_DIR:-$LUMORA_ROOT/build}
importer=$build/tools/import/lumora-import

lumora_apt_install "${LUMORA_LIBRARY_PACKAGES[@]}"

[[ -x $importer ]] || { echo "$importer not found: build the lumora-import target first" >&2; exit 1; }

# stale TARGET PACKAGE...: true when TARGET is missing or older than the
# importer or than the installation (dpkg's file list) of one of the packages.
stale() {
  local target=$1 pkg
  shift
  [[ -e $target && $target -nt $importer ]] || return 0
  for pkg in "$@"; do
    [[ $target -nt /var/lib/dpkg/info/$pkg.list ]] || return 0
  done
  return 1
}

# bible PACKAGE MODULE ABBREVIATION TITLE [lumora-import options]
# Skips the Bible when its outputs are newer than the package's installation
# (dpkg's file list) and than the importer.
bible() {
  local pkg=$1 module=$2 abbrev=$3 title=$4
  shift 4
  local lmb=$out/Bibles/$abbrev.lmb
  local targets=("$lmb" "$(report_of "$lmb")") prev='' arg target
  for arg in "$@"; do
    [[ $prev == --pmap ]] && targets+=("$arg")
    prev=$arg
  done
  local installed=/var/lib/dpkg/info/$pkg.list
  for target in "${targets[@]}"; do
    if [[ ! -e $target || ! $target -nt $installed || ! $target -nt $importer ]]; then
      "$importer" bible --module "$module" --abbrev "$abbrev" --title "$title" --out "$lmb" "$@" |
        tee "$(report_of "$lmb")"
      return
    fi
  done
  echo "$lmb is up to date"
}

# report_of FILE: where the import report of a library file goes.
report_of() { echo "$out/.import/$(basename "$1").txt"; }

mkdir -p "$out/Bibles" "$out/.import"
bible sword-text-kjv engKJV2006eb KJV "King James Version" --pmap "$out/pmap.dat"
# The WEB package tags its words with Strong's numbers by machine alignment,
# and in the Old Testament most tags sit on the wrong words ("and", "of"
# carrying H3068): a Strong's search over them would mislead.
bible sword-text-web engWEB2015eb WEB "World English Bible" --no-strongs
bible sword-text-sparv spaRV1909eb RV1909 "Reina-Valera 1909"

# entries KIND PACKAGE MODULE FILE ABBREVIATION CODE TITLE [lumora-import options]
# KIND is book or commentary; FILE lies below DIR.
entries() {
  local kind=$1 pkg=$2 module=$3 file=$out/$4 abbrev=$5 code=$6 title=$7
  shift 7
  if stale "$file" "$pkg" || [[ ! -e $(report_of "$file") ]]; then
    "$importer" "$kind" --module "$module" --abbrev "$abbrev" --code "$code" --title "$title" \
      --out "$file" "$@" | tee "$(report_of "$file")"
  else
    echo "$file is up to date"
  fi
}

# The Strong's data: the program does not start without it.
if stale "$out/stgdat.lm4" sword-dict-strongs-hebrew sword-dict-strongs-greek ||
  [[ ! -e $(report_of "$out/stgdat.lm4") ]]; then
  "$importer" strongs --hebrew StrongsHebrew --greek StrongsGreek --out "$out/stgdat.lm4" |
    tee "$(report_of "$out/stgdat.lm4")"
else
  echo "$out/stgdat.lm4 is up to date"
fi

entries book sword-dict-strongs-hebrew StrongsHebrew Books/StrHeb.lmk StrHeb StrHeb \
  "Strong's Hebrew Dictionary" --lexicon hebrew
entries book sword-dict-strongs-greek StrongsGreek Books/StrGrk.lmk StrGrk StrGrk \
  "Strong's Greek Dictionary" --lexicon greek
entries book sword-dict-naves Nave Books/Naves.lmk Naves NVCX "Nave's Topical Bible"
entries commentary sword-comm-scofield Scofield Commentaries/Scofield.lmc Scofield SCOFLD \
  "Scofield Reference Notes (1917)"
# The Treasury stores each psalm whole at its first verse; its "Verse N."
# headings put every part on its verse.
entries commentary sword-comm-tdavid TDavid Commentaries/TDavid.lmc TDavid TDAVID \
  "Treasury of David (Spurgeon)" --split-verse-headings
entries commentary sword-comm-mhcc MHCC Commentaries/MHCC.lmc MHCC MHCC \
  "Matthew Henry's Concise Commentary"

# README.txt: each module with its source package and the licence that the
# package's SWORD configuration states.
readme_line() {
  local file=$1 pkg=$2 module=$3 version conf license description
  version=$(dpkg-query -W -f='${Version}' "$pkg" 2>/dev/null || echo '?')
  conf=$(grep -il "^\[$module\]" /usr/share/sword/mods.d/*.conf | head -n1 || true)
  license=$(sed -n 's/^DistributionLicense=//p' "$conf" 2>/dev/null | head -n1 | tr -d '\r')
  description=$(sed -n 's/^Description=//p' "$conf" 2>/dev/null | head -n1 | tr -d '\r')
  printf '%-26s %s\n  from %s %s (SWORD module %s), licence: %s\n' "$file" "$description" \
    "$pkg" "$version" "$module" "${license:-unknown}"
}
{
  cat <<'EOF'
Lumora sample library

Every module in this folder was converted by lumora-import from a SWORD module
that Debian packages. The licence is the DistributionLicense of the module's
SWORD configuration: all of them are in the public domain.

EOF
  readme_line Bibles/KJV.lmb sword-text-kjv engKJV2006eb
  readme_line Bibles/WEB.lmb sword-text-web engWEB2015eb
  readme_line Bibles/RV1909.lmb sword-text-sparv spaRV1909eb
  readme_line pmap.dat sword-text-kjv engKJV2006eb
  readme_line Books/StrHeb.lmk sword-dict-strongs-hebrew StrongsHebrew
  readme_line Books/StrGrk.lmk sword-dict-strongs-greek StrongsGreek
  readme_line Books/Naves.lmk sword-dict-naves Nave
  readme_line Commentaries/Scofield.lmc sword-comm-scofield Scofield
  readme_line Commentaries/TDavid.lmc sword-comm-tdavid TDavid
  readme_line Commentaries/MHCC.lmc sword-comm-mhcc MHCC
  readme_line stgdat.lm4 sword-dict-strongs-hebrew StrongsHebrew
  readme_line stgdat.lm4 sword-dict-strongs-greek StrongsGreek
  cat <<'EOF'

Notes
- Greek words (in StrGrk.lmk, in the commentaries and in stgdat.lm4) are
  stored in the 8-bit layout of the "Symbol" font (a = alpha, b = beta, ...),
  Hebrew words in that of the "Basic Hebrew" font (the 27 letters at bytes
  224-250, in logical order). These fonts hold bare letters: the accents,
  breathings and iota subscripts of the Greek and the vowel points, dagesh,
  shin/sin dots and cantillation marks of the Hebrew are dropped.
- stgdat.lm4 gives for every Strong's number the word in script, the
  transliteration and the pronunciation from the two lexicons. Greek numbers
  2717 and 3203-3302 are not used in Strong's numbering and have no word.
- Scripture references are verse lists in the King James verse order;
  references to other Strong's numbers are Strong's links, Nave's "See"
  references links to the topic they name.
- Commentaries: a comment on a range of verses is stored at its first verse;
  the other verses of the range hold a link to it. The Treasury of David
  stores each psalm at its first verse; its "Verse N." parts are placed on
  their verses, under the section (Exposition, Explanatory Notes, Hints to
  the Village Preacher) they belong to.
- MHCC: Debian's configuration names the zCom4 driver, but the module's index
  files are zCom ones, so libsword reads every entry at a wrong place.
  lumora-import reads the module through zCom instead.
- Headings the printed Bibles have stay in the verse text, where the sources
  put them: the Psalm titles, the 22 acrostic letters of Psalm 119 (the
  letter's name: the 8-bit text cannot hold the Hebrew letter), the
  subscriptions after Paul's epistles ("Unto the Galatians written from
  Rome."), the WEB's five book divisions of the Psalter ("BOOK 2") and its
  speaker labels in the Song of Solomon ("Beloved", "Friends", "Lover").
  A heading that opens a chapter opens its first verse.
- The divine name is upper-cased whole, its possessive too ("LORD'S"), also
  where the KJV source spells it "Lord" inside supplied words.
- The WEB's cross-reference notes are footnotes whose references are links
  to the verses (the first verse of a range); references to books outside
  the 66 stay text.
- Commentary introductions that the sources store before a book's or a
  chapter's first verse (Scofield's book introductions, Matthew Henry on
  Leviticus 19 and Psalm 108 and on the one-chapter books, the Treasury of
  David's Preface) open the comment on that first verse, under a heading.

What the 8-bit text could not hold
Windows-1252 lacks these characters of the sources; each is stored as the
nearest character it has (times, and the entries or verses that hold them).
The Hebrew lexicon writes the "s" with acute of its transliterations as a
Greek omega with tonos; it is read as the "s" with acute it stands for. The
Treasury of David holds a few characters of the DOS code page read as
control characters; they are read as the DOS letters.
EOF
  for f in Bibles/KJV.lmb Bibles/WEB.lmb Bibles/RV1909.lmb Books/StrHeb.lmk Books/StrGrk.lmk \
    Books/Naves.lmk Commentaries/Scofield.lmc Commentaries/TDavid.lmc Commentaries/MHCC.lmc \
    stgdat.lm4; do
    report=$(report_of "$out/$f")
    [[ -e $report ]] || continue
    folds=$(sed -n 's/^  folded  */    /p' "$report")
    if [[ -n $folds ]]; then printf '  %s\n%s\n' "$f" "$folds"; fi
  done
  cat <<'EOF'

What is not kept, and why
- The book titles of the printed Bibles ("The First Book of Moses, called
  Genesis"): the program names every book by the module's own titles, and a
  title in the first verse's text would stand in every search and copy of it.
- The sources' introductions to the whole Bible and to single books (the
  WEB's preface and book introductions): they belong to no verse.
- The WEB's deuterocanonical books and verses: the King James verse order
  has no place for them.
- The KJV's morphology codes beside its Strong's numbers, and the chapter
  and verse labels of the footnotes ("1:4"): the verse format has no place
  for the one, and the program letters the notes itself.
- Greek accents and breathings and Hebrew points in the lexicons' script
  (see Notes): the lexicon fonts hold bare letters.
EOF
} >"$out/README.txt"
echo "$out/README.txt written"

# Synthetic samples (made by Lumora's own tools, not from any package): the
# devotional index "devotion.dys" with its "SME" Commentary, and the images
# below "Images/". The image tool needs the desktop build; without it the
# library has no images.
devotions=$build/tools/devotions/lumora-devotions
sample_images=$build/lumora-sample-images
[[ -x $devotions ]] || { echo "$devotions not found: build the lumora-devotions target first" >&2; exit 1; }
if [[ ! -e $out/Commentaries/SME.lmc || ! $out/Commentaries/SME.lmc -nt $devotions ||
      ! $out/Commentaries/SME.lmc -nt $out/Bibles/KJV.lmb || ! -e $out/devotion.dys ]]; then
  "$devotions" "$out"
else
  echo "$out/Commentaries/SME.lmc is up to date"
fi
if [[ -x $sample_images ]]; then
  if [[ ! -e $out/Images/Maps/map.of.canaan.png || ! $out/Images/Maps/map.of.canaan.png -nt $sample_images ]]; then
    rm -rf "$out/Images"
    QT_QPA_PLATFORM=offscreen "$sample_images" "$out/Images"
  else
    echo "$out/Images is up to date"
  fi
fi
{
  cat <<'README'

Synthetic samples
These were made by Lumora's own tools for trying the program; they are no
one's published work.
- devotion.dys, Commentaries/SME.lmc  "Synthetic Morning and Evening Readings
  (sample)": a morning and an evening reading for each of the 366 days, made
  by lumora-devotions; each entry holds its readings' "MM/DD/AM" headings and
  the verse from the King James Version above.
README
  if [[ -d $out/Images ]]; then
    cat <<'README'
- Images/  synthetic sample pictures stamped "SYNTHETIC SAMPLE", drawn by
  lumora-sample-images: maps in nested folders, a large and a tall narrow
  picture, and an empty folder.
README
  fi
} >>"$out/README.txt"
echo "$out/README.txt: synthetic samples added"
