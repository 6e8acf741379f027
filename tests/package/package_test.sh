#!/usr/bin/env bash
# package_test.sh SOURCE BUILD: scripts/package on the build, then the package's files, lintian,
# its metainfo, one version everywhere, the program run from the unpacked package, and the bash
# completion it installs.
set -uo pipefail
deb=$("$1/scripts/package" "$2" 2>/dev/null) || { echo "scripts/package failed"; exit 1; }
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
status=0
check() { # check WHAT EXPECTED ACTUAL
  [ "$2" = "$3" ] || { printf 'FAIL %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"; status=1; }
}

check files "bin/orvik3 bin/orvik3-camsim share/applications/orvik3.desktop \
share/bash-completion/completions/orvik3 share/doc/orvik3/changelog.gz share/doc/orvik3/copyright \
share/icons/hicolor/scalable/apps/orvik3.svg share/man/man1/orvik3.1.gz \
share/metainfo/orvik3.metainfo.xml share/orvik3/GreenLED.bmp share/orvik3/GreyLED1.bmp \
share/orvik3/RedLED.bmp" "$(dpkg-deb -c "$deb" | awk '!/^d/ {sub("./usr/", "", $6); print $6}' | sort | xargs)"
check "lintian errors" "" "$(lintian "$deb" 2>/dev/null | grep '^E:')"
dpkg-deb -x "$deb" "$root"
check metainfo 0 "$(appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml >&2; echo $?)"

version=$(dpkg-deb -f "$deb" Version)
check "program version" "orvik3 $version" "$("$root/usr/bin/orvik3" --version)"
check "manual version" "\"orvik3 $version\"" "$(zcat "$root/usr/share/man/man1/orvik3.1.gz" | sed -n 's/^\.TH .* \("orvik3 [^"]*"\).*/\1/p')"
check "metainfo version" "$version" "$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$root"/usr/share/metainfo/*.xml)"
check "unpacked program" "0 Orvik®3 Camera Setup Summary" \
  "$("$root/usr/bin/orvik3" --simulate status >"$root/out"; echo $? "$(head -1 "$root/out")")"

complete() { # the candidates bash offers for a command line ending in the word to complete
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _orvik3
           printf "%s\n" "${COMPREPLY[@]}"' _ "$root/usr/share/bash-completion/completions/orvik3" \
    "$root/usr/bin/orvik3" "$@"
}
check "command word" "download" "$(complete dow)"
check option "--json" "$(complete --simulate status --js)"
check "palette name" 'Red\ hot\,\ white' "$(complete download 1 --palette 'red hot, w')"
exit $status
