#!/usr/bin/env bash
# The installation and the Debian package.
#   install_test.sh install BUILD VERSION LICENCE   install into a scratch DESTDIR, check the tree
#                                                  and run the installed programs from elsewhere
#   install_test.sh package BUILD VERSION LICENCE   build the .deb with CPack, check its files and
#                                                  dependencies
# LICENCE is ON when the build has the licence terms to install. Exit status 77: skipped.
set -euo pipefail

mode=$1 build=$(cd "$2" && pwd) version=$3 licence=$4
scratch=$(mktemp -d "${TMPDIR:-/tmp}/lumaro-install-test-XXXXXX")
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

# Every file the installation holds, below the prefix.
expected_files() {
  echo bin/lumaro
  echo bin/lumaro-render
  echo share/applications/lumaro.desktop
  for size in 16 22 24 32 48 64 128 256; do
    echo "share/icons/hicolor/${size}x${size}/apps/lumaro.png"
  done
  echo share/man/man1/lumaro-render.1
  if [ "$licence" = ON ]; then echo share/doc/lumaro/copyright; fi
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
    desktop-file-validate "$root/share/applications/lumaro.desktop" || fail "desktop-file-validate"
  else
    echo "desktop-file-validate not found (Debian package desktop-file-utils): entry not validated"
  fi
  grep -q '^Exec=lumaro$' "$root/share/applications/lumaro.desktop" || fail "Exec is not lumaro on the PATH"
  # The manual page is the help text: every option of --help is in it.
  head -1 "$root/share/man/man1/lumaro-render.1" | grep -q "^\.TH LUMARO-RENDER 1 .*Lumaro $version" \
    || fail "manual page header"
  for option in state trace png replay help version; do
    grep -q -- "\\\\-\\\\-$option" "$root/share/man/man1/lumaro-render.1" || fail "manual page lacks --$option"
  done
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
  ;;
*)
  fail "unknown mode $mode"
  ;;
esac
echo "PASS: $mode"
