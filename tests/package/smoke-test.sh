#!/usr/bin/env bash
# Makes the Debian package from the release build and checks what it installs, unpacked into a
# temporary root: both programs state the package's version, the installed converter (with the
# installed probe module, which it finds beside itself) writes the same document as the build
# tree's, the desktop entry, the software-centre file and the manual page pass their checkers,
# and lintian finds no error.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
expect_equal() { # what actual expected
  if [ "$2" != "$3" ]; then
    fail "$1: \"$2\", expected \"$3\""
  fi
}

deb=$("$root/scripts/package.sh" | tail -n 1)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg -x "$deb" "$work/root"
usr="$work/root/usr"
version=$(dpkg-deb -f "$deb" Version)
echo "package: $deb (version $version)"
echo "depends: $(dpkg-deb -f "$deb" Depends)"

# Only the installed module may serve the MP3 lines of the example.
unset BRISOMEL_PROBE_MODULE
expect_equal "brisomel-cli --version" "$("$usr/bin/brisomel-cli" --version)" "brisomel-cli $version"
expect_equal "brisomel --version" "$("$usr/bin/brisomel" --version)" "Brisomel $version"

"$usr/bin/brisomel-cli" -o "$work/installed.fcpxml" "$root/examples/Scene1" ||
  fail "the installed brisomel-cli could not convert examples/Scene1"
"$root/build/release/src/cli/brisomel-cli" -o "$work/built.fcpxml" "$root/examples/Scene1"
cmp "$work/installed.fcpxml" "$work/built.fcpxml" ||
  fail "the installed brisomel-cli wrote another document than the build tree's"

id=io.github.brisomel.Brisomel
desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
expect_equal "newest release in the metainfo file" \
  "$(xmllint --xpath 'string(//releases/release[1]/@version)' "$usr/share/metainfo/$id.metainfo.xml")" \
  "$version"
expect_equal "newest entry of the change log" \
  "$(zcat "$usr/share/doc/brisomel/changelog.gz" | head -n 1 | sed 's/^brisomel (\([^)]*\)).*/\1/')" \
  "$version"
for icon in scalable/apps/brisomel.svg 256x256/apps/brisomel.png; do
  [ -f "$usr/share/icons/hicolor/$icon" ] || fail "icon $icon is missing"
done

# man prints its formatter's warnings (a bad request, a line it cannot lay out) on stderr;
# lexgrog reads the name line that whatis and apropos list.
for page in brisomel brisomel-cli; do
  manual="$usr/share/man/man1/$page.1.gz"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$manual" 2>&1 >/dev/null) ||
    fail "man cannot show $page.1"
  expect_equal "warnings of man on $page.1" "$warnings" ""
  lexgrog "$manual" >/dev/null || fail "lexgrog finds no name line in $page.1"
done

if ! lintian --fail-on error "$deb"; then
  fail "lintian reports errors"
fi

if [ "$failures" -ne 0 ]; then
  echo "package smoke test: $failures failed" >&2
  exit 1
fi
echo "package smoke test: passed"
