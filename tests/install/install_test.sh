#!/usr/bin/env bash
# The installation and the Debian package.
#   install_test.sh install BUILD VERSION   install into a scratch DESTDIR, check the tree and run
#                                          the installed programs from elsewhere
#   install_test.sh package BUILD VERSION   build the .deb with CPack, check its files and
#                                          dependencies, and let lintian judge it
# Exit status 77: skipped.
set -euo pipefail

mode=$1 build=$(cd "$2" && pwd) version=$3
# The id under which desktops and software centres know the program.
id=org.example.tornvik.lumaro
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/lumaro-install-test-XXXXXX")
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

# Every file the installation holds, below the prefix.
expected_files() {
  echo bin/lumaro
  echo bin/lumaro-render
  echo "share/applications/$id.desktop"
  for size in 16 22 24 32 48 64 128 256; do
    echo "share/icons/hicolor/${size}x${size}/apps/lumaro.png"
  done
  echo share/man/man1/lumaro.1.gz
  echo share/man/man1/lumaro-render.1.gz
  echo share/doc/lumaro/copyright
  echo share/doc/lumaro/changelog.gz
  echo "share/metainfo/$id.metainfo.xml"
}

# The software centres' record: the desktop entry's id, this version as the newest release,
# a web site, and screenshots that are the pictures of docs/ under that site.
check_metainfo() {   # FILE
  local metainfo=$1 site releases shots shot
  [ "$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")" = "$id.desktop" ] \
    || fail "the metainfo launches another desktop entry than $id.desktop"
  [ "$(sed -n 's|^ *<id>\(.*\)</id>$|\1|p' "$metainfo")" = "$id" ] || fail "the metainfo's id is not $id"
  releases=$(sed -n 's|.*<release version="\([^"]*\)".*|\1|p' "$metainfo")
  [ "$(echo "$releases" | head -1)" = "$version" ] || fail "the newest release is not $version: $releases"
  site=$(sed -n 's|.*<url type="homepage">\(.*\)</url>.*|\1|p' "$metainfo")
  shots=$(sed -n 's|.*<image type="source"[^>]*>\(.*\)</image>.*|\1|p' "$metainfo")
  [ "$(echo "$shots" | wc -l)" = 3 ] || fail "not three screenshots: $shots"
  for shot in $shots; do
    case $shot in
      "${site%/}/lumaro/docs/"*) [ -f "$source_dir/docs/${shot##*/}" ] || fail "no picture in docs/ for $shot" ;;
      *) fail "a screenshot not under the web site: $shot" ;;
    esac
  done
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
  else
    echo "appstreamcli not found (Debian package appstream): metainfo not validated"
  fi
}

check_tree() {   # ROOT: the installed /usr
  local root=$1
  diff -u <(expected_files | sort) <(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort) \
    || fail "the installed files differ from the expected list"
  for size in 16 22 24 32 48 64 128 256; do
    file "$root/share/icons/hicolor/${size}x${size}/apps/lumaro.png" | grep -q "PNG image data, $size x $size," \
      || fail "the ${size}x${size} icon is no PNG of that size"
  done
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/share/applications/$id.desktop" || fail "desktop-file-validate"
  else
    echo "desktop-file-validate not found (Debian package desktop-file-utils): entry not validated"
  fi
  grep -q '^Exec=lumaro$' "$root/share/applications/$id.desktop" || fail "Exec is not lumaro on the PATH"
  # Both manual pages carry the version; lumaro-render's is its help text, with every option.
  # (Read whole before grep: a grep that stops early would end zcat with SIGPIPE under pipefail.)
  local page text
  for page in lumaro lumaro-render; do
    text=$(zcat "$root/share/man/man1/$page.1.gz")
    grep -q "^\.TH ${page^^} 1 .*Lumaro $version" <<<"$text" || fail "manual page header of $page"
  done
  text=$(zcat "$root/share/man/man1/lumaro-render.1.gz")
  for option in state trace png replay help version; do
    grep -q -- "\\\\-\\\\-$option" <<<"$text" || fail "manual page lacks --$option"
  done
  # The changelog's newest entry is this version; the copyright file has the licence terms.
  text=$(zcat "$root/share/doc/lumaro/changelog.gz")
  [[ $text == "lumaro ($version) "* ]] || fail "the changelog does not begin with version $version"
  grep -q '^Copyright: .' "$root/share/doc/lumaro/copyright" || fail "copyright file without a notice"
  grep -q '^ LIZENZBESTIMMUNGEN$' "$root/share/doc/lumaro/copyright" || fail "copyright file without the licence"
  check_metainfo "$root/share/metainfo/$id.metainfo.xml"
}

case $mode in
install)
  DESTDIR="$scratch/dest" cmake --install "$build" --prefix /opt/lumaro >"$scratch/log" \
    || { cat "$scratch/log"; fail "cmake --install"; }
  root=$scratch/dest/opt/lumaro
  check_tree "$root"
  # The installed programs run from anywhere: nothing is looked for beside them.
  mkdir "$scratch/elsewhere"
  cd "$scratch/elsewhere"
  if readelf -d "$root/bin/lumaro-render" "$root/bin/lumaro" | grep -Eq 'RPATH|RUNPATH'; then
    fail "an installed program keeps a library path into the build tree"
  fi
  [ "$("$root/bin/lumaro-render" --version)" = "lumaro-render $version" ] || fail "installed --version"
  "$root/bin/lumaro-render" KsSystem1 tick --png ks.png --state - | grep -q '"SystemKs": true' \
    || fail "installed lumaro-render"
  file ks.png | grep -q "PNG image data, 1016 x 696" || fail "installed lumaro-render wrote no picture"
  # The window starts and keeps running until it is ended.
  status=0
  QT_QPA_PLATFORM=offscreen timeout 2 "$root/bin/lumaro" >"$scratch/lumaro.log" 2>&1 || status=$?
  [ "$status" = 124 ] || { cat "$scratch/lumaro.log"; fail "installed lumaro ended with status $status"; }
  # The window tells the desktop the entry it belongs to (a UTF-16 string in the program).
  strings -a -el "$root/bin/lumaro" | grep -qx "$id" || fail "the window does not name its desktop entry $id"
  ;;
package)
  command -v dpkg-deb >/dev/null || skip "dpkg-deb not found (Debian package dpkg)"
  command -v dpkg-shlibdeps >/dev/null || skip "dpkg-shlibdeps not found (Debian package dpkg-dev)"
  cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/log" \
    || { cat "$scratch/log"; fail "cpack"; }
  deb=$scratch/out/lumaro_${version}_amd64.deb
  [ -f "$deb" ] || { ls "$scratch/out"; fail "no lumaro_${version}_amd64.deb"; }
  info=$(dpkg-deb -I "$deb")
  echo "$info" | grep -q "^ Package: lumaro$" || fail "package name"
  echo "$info" | grep -q "^ Version: $version$" || fail "package version"
  echo "$info" | grep -q "^ Architecture: amd64$" || fail "architecture"
  depends=$(echo "$info" | sed -n 's/^ Depends: //p')
  # From the linked libraries, with their versions; the platform plugins by name.
  for package in libc6 libstdc++6 libpng16-16 libqt6core6 libqt6gui6 libqt6widgets6; do
    echo "$depends" | grep -Eq "(^|, )${package//+/\\+} \\(>= [^)]+\\)" || fail "Depends lacks $package: $depends"
  done
  echo "$depends" | grep -Eq "(^|, )qt6-qpa-plugins(,|$)" || fail "Depends lacks qt6-qpa-plugins: $depends"
  diff -u <(expected_files | sed 's|^|usr/|' | sort) \
    <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort) \
    || fail "the package's files differ from the expected list"
  dpkg-deb -x "$deb" "$scratch/root"
  check_tree "$scratch/root/usr"
  echo "$info" | grep -q "^ Homepage: $(sed -n 's|.*<url type="homepage">\(.*\)</url>.*|\1|p' \
    "$scratch/root/usr/share/metainfo/$id.metainfo.xml")$" || fail "the package's Homepage is not the metainfo's"
  # Debian's own checker: no error and no warning. Its overrides, if ever one is needed, ship in
  # the package, each with a comment that says why the tag is wrong there.
  if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$deb" || fail "lintian"
  else
    echo "lintian not found (Debian package lintian): package not checked"
  fi
  ;;
*)
  fail "unknown mode $mode"
  ;;
esac
echo "PASS: $mode"
