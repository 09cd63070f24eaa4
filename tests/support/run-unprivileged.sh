#!/usr/bin/env bash
# Runs a test program as an unprivileged user when the suite runs as root (file permissions do
# not bind root, so the cases about unreadable or read-only files would prove nothing); as any
# other user it runs the program as it is. The program is copied to a folder every user can
# reach, since the build tree may lie where the unprivileged user cannot enter.
set -euo pipefail
program=$1
shift
if [ "$(id -u)" -ne 0 ]; then
  exec "$program" "$@"
fi
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp "$program" "$copy/"
chmod 755 "$copy" "$copy/$(basename "$program")"
status=0
(cd "$copy" && HOME="$copy" setpriv --reuid=nobody --regid=nogroup --clear-groups \
  "./$(basename "$program")" "$@") || status=$?
exit $status
