#!/usr/bin/env bash
# Builds the Debian package from a built tree and takes it through a life:
# its name, dependencies and files, lintian, an install into a scratch root
# (dpkg --root, maintainer scripts outside a chroot) and its removal, which
# must take every file it brought and leave what a user keeps in their home.
#   check_package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

(cd "$build" && cpack -G DEB -B "$work/out") >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log"
  exit 1
}
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb=$work/out/kairo_${version}_amd64.deb
[ -f "$deb" ] || { ls "$work/out"; fail "no kairo_${version}_amd64.deb"; exit 1; }
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"

# dpkg-shlibdeps found the libraries the program links.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6quick6 libhidapi-hidraw0 libudev1 libc6; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

dpkg-deb -c "$deb" | awk '{print substr($6, 2)}' | sed 's#/$##' >"$work/contents"
for path in /usr/bin/kairo /usr/bin/kairo-probe /usr/lib/kairo/kairo \
  /usr/lib/kairo/modules/setting/apConfig.bin /usr/lib/udev/rules.d/60-kairo.rules \
  /usr/share/applications/io.github.kairo.kairo.desktop \
  /usr/share/metainfo/io.github.kairo.kairo.metainfo.xml \
  /usr/share/icons/hicolor/256x256/apps/kairo.png /usr/share/icons/hicolor/scalable/apps/kairo.svg \
  /usr/share/doc/kairo/copyright; do
  grep -qx "$path" "$work/contents" || fail "the package lacks $path"
done
if grep -v '^/usr\(/\|$\)' "$work/contents" | grep -q .; then
  fail "files outside /usr: $(grep -v '^/usr' "$work/contents" | head -3)"
fi
dpkg-deb -e "$deb" "$work/control"
grep -q "udevadm control --reload-rules" "$work/control/postinst" || fail "postinst does not reload udev"

lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || {
  cat "$work/lintian.log"
  fail "lintian reports errors"
}
echo "lintian: $(grep -c '^E:' "$work/lintian.log" || true) errors, $(grep -c '^W:' "$work/lintian.log" || true) warnings"

# A scratch root holding nothing but dpkg's database and one user's home.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
: >"$root/var/lib/dpkg/status"
own=$root/home/ana/.local/share/kairo/modules/setting
mkdir -p "$own"
echo "[mouse]" >"$own/p1.bin"
dpkg=(dpkg --root="$root" --force-script-chrootless --force-depends --log=/dev/null)
"${dpkg[@]}" -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i failed"; }
[ -x "$root/usr/lib/kairo/kairo" ] || fail "dpkg -i put no program in /usr/lib/kairo"
grep -q "^Exec=/usr/bin/kairo$" "$root/usr/share/applications/io.github.kairo.kairo.desktop" ||
  fail "the menu entry does not start /usr/bin/kairo"
"${dpkg[@]}" -r kairo >>"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -r failed"; }
left=$(while read -r path; do
  if [ -f "$root$path" ] || [ -L "$root$path" ]; then echo "$path"; fi
done <"$work/contents")
[ -z "$left" ] || fail "dpkg -r left: $(echo "$left" | head -5)"
[ ! -e "$root/usr/lib/kairo" ] || fail "dpkg -r left /usr/lib/kairo"
[ -f "$own/p1.bin" ] || fail "dpkg -r took the user's own settings"
[ "$failed" = 0 ] && echo "the package installs and removes cleanly"
exit $failed
