#!/usr/bin/env bash
# Builds the Debian package from the build tree, extracts it (dpkg-deb -x) into a temporary root
# and runs the installed programs from there: the installed layout must work without the build
# tree, and running must leave the installed files as they were (the program folder is read-only
# once installed).
#   ExtractAndRun.sh BUILD_DIR VERSION [PACKAGE_DIR]
# The package is kept in PACKAGE_DIR when one is given (scripts/package), else thrown away.
set -euo pipefail
build=$1
version=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

out=${3:-$work/out}
deb="$out/zorvane-backup-extractor_${version}_amd64.deb"
rm -f "$deb"
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack could not build the package"; }
[ -f "$deb" ] || fail "cpack wrote no $deb"

# The control data: our version, and dependencies found by dpkg-shlibdeps.
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libsqlite3-0 libssl3 libplist3 libqt6widgets6 libheif1 libprotobuf-lite32 \
  fonts-dejavu-core; do
  [[ ", $depends," =~ ", $library"[\ ,] ]] || fail "Depends lacks $library: $depends"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
program_dir="$root/usr/lib/zorvane-backup-extractor"
expected=(
  usr/lib/zorvane-backup-extractor/zbe usr/lib/zorvane-backup-extractor/tool
  usr/lib/zorvane-backup-extractor/mkbackup usr/lib/zorvane-backup-extractor/template/Print.html
  usr/share/man/man1/zbe.1.gz usr/share/man/man1/mkbackup.1.gz
  usr/share/bash-completion/completions/zbe
  usr/share/doc/zorvane-backup-extractor/copyright
  usr/share/doc/zorvane-backup-extractor/changelog.gz
)
for path in "${expected[@]}"; do
  [ -f "$root/$path" ] || fail "the package lacks /$path"
done
for program in zbe mkbackup zorvane-backup-extractor; do
  [ "$(readlink "$root/usr/bin/$program")" = "../lib/zorvane-backup-extractor/$program" ] ||
    fail "/usr/bin/$program is not a relative link into the program folder"
done

# The application, with its menu entry, metadata and icons.
app_id=com.zorvane.BackupExtractor
for path in usr/share/applications/$app_id.desktop usr/share/metainfo/$app_id.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/$app_id.svg; do
  [ -f "$root/$path" ] || fail "the package lacks /$path"
done
# Each icon is as large as its folder says (a PNG file's width and height follow its signature).
for size in 16 22 24 32 48 64 128 256 512; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  [ -f "$icon" ] || fail "the package lacks the ${size}x${size} icon"
  read -r w0 w1 w2 w3 h0 h1 h2 h3 < <(od -An -tu1 -j16 -N8 "$icon")
  [ $(((w0 << 24) | (w1 << 16) | (w2 << 8) | w3)) = "$size" ] &&
    [ $(((h0 << 24) | (h1 << 16) | (h2 << 8) | h3)) = "$size" ] ||
    fail "the ${size}x${size} icon has another size"
done
desktop-file-validate "$root/usr/share/applications/$app_id.desktop" ||
  fail "the desktop entry does not validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" >"$work/as.log" ||
  { cat "$work/as.log" >&2; fail "the AppStream metadata does not validate"; }
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
  fail "the AppStream metadata lacks a release $version"
for path in usr/share/man/man1/zorvane-backup-extractor.1.gz \
  usr/lib/zorvane-backup-extractor/libImageOleCtrl.so usr/lib/zorvane-backup-extractor/config.ini; do
  [ -e "$root/$path" ] || fail "the package lacks /$path"
done
compgen -G "$program_dir/Languages/*.ini" >/dev/null || fail "the package has no language files"
grep -q "Version $version" "$program_dir/docs/about.html" || fail "the about page lacks the version"
if command -v groff >/dev/null; then
  for page in "$root"/usr/share/man/man1/*.1.gz; do
    warnings=$(zcat "$page" | groff -man -ww -z -Tutf8 2>&1)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
  done
fi

snapshot() { (cd "$root" && find . -printf '%p %s %T@ %m\n' | LC_ALL=C sort); }
snapshot >"$work/before"

# Run as a user would, with folders of its own and nothing from the build tree.
export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config"
export TMPDIR="$work/tmp" ZBE_TEMP_FOLDER="$work/temp" PATH="$root/usr/bin:/usr/bin:/bin"
mkdir -p "$HOME" "$TMPDIR"
[ "$(command -v zbe)" = "$root/usr/bin/zbe" ] || fail "zbe is not the installed one"

[ "$(zbe --version)" = "zbe $version" ] || fail "zbe --version printed \"$(zbe --version)\""

backups="$XDG_DATA_HOME/Apple Computer/MobileSync/backup"
plain="$backups/00008110000c1d2e3f4a5b6c7d8e9f0a1b2c3d4e"
mkbackup "$plain" --name "Package Test" >/dev/null || fail "the installed mkbackup failed"
zbe list | grep -q "Package Test" || fail "zbe list does not find the sample"

# Every category with a reader reads, and the main ones find something.
zbe scan "$plain" >"$work/scan" || fail "zbe scan failed"
awk -F'\t' '$3 != "0" && $3 != "-" { bad = 1; print "category failed: " $0 > "/dev/stderr" }
            END { exit bad }' "$work/scan" || fail "zbe scan reported failures"
for category in camera-roll messages contacts call-history notes whatsapp; do
  awk -F'\t' -v c="$category" '$1 == c && $2 > 0 { found = 1 } END { exit !found }' \
    "$work/scan" || fail "zbe scan found no $category"
done

# The export fills the templates of the installed program folder.
zbe export "$plain" --out "$work/export" >/dev/null || fail "zbe export failed"
compgen -G "$work/export/Contacts/*/Contacts.html" >/dev/null || fail "the export wrote no contacts page"

# An encrypted backup is decrypted by the installed tool and reads as its plain twin.
encrypted="$work/encrypted"
mkbackup "$encrypted" --name "Package Test" --encrypt "package password" --iterations 10 \
  >/dev/null || fail "the installed mkbackup failed to encrypt"
printf '%s\n' "package password" | zbe scan "$encrypted" --password-stdin >"$work/scan-encrypted" ||
  fail "zbe scan of the encrypted sample failed"
diff "$work/scan" "$work/scan-encrypted" >&2 || fail "the encrypted sample reads differently"

# The application's start-up self-test, from the installed program folder.
[ "$(zorvane-backup-extractor --version)" = "zorvane-backup-extractor $version" ] ||
  fail "zorvane-backup-extractor --version printed \"$(zorvane-backup-extractor --version)\""
QT_QPA_PLATFORM=offscreen zorvane-backup-extractor --self-test >"$work/self-test" 2>&1 ||
  { cat "$work/self-test" >&2; fail "the application's self-test failed"; }

snapshot >"$work/after"
diff "$work/before" "$work/after" >&2 || fail "running changed the installed files"
echo "package $(basename "$deb"): layout, metadata and the installed programs work"
