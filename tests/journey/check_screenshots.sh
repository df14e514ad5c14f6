#!/usr/bin/env bash
# Runs scripts/screenshots into a folder of its own and checks that every
# picture is there, as a PNG of the window's size, and that the dialogs in
# the pictures can be read: each one's background lies clearly apart from
# the style's text colour.
#   check_screenshots.sh SCRIPT BUILD_DIR [1280x720|1920x1080|brief]
# With a third argument, only that run (or the brief ones) and its pictures.
set -euo pipefail
script=$1
build=$2
group=${3:-}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

sizes="1280x720 1920x1080"
brief="1366x768 German French"
case $group in
  1280x720) runs=1920x1080:1280x720 sizes=1280x720 brief= ;;
  1920x1080) runs=2880x1620:1920x1080 sizes=1920x1080 brief= ;;
  brief) runs="1366x768:1280x720:brief 1920x1080:1280x720:brief:German 1920x1080:1280x720:brief:French"
    sizes= ;;
  *) runs= ;;
esac
KAIRO_SCREENSHOTS_RUNS=$runs KAIRO_BUILD_DIR=$build KAIRO_SKIP_BUILD=1 "$script" "$out"

failed=0
for size in $sizes; do
  for name in mouse-macro report-rate-list reset-box dpi-colour key-menu key-group profile-panel \
    import-dialog settings macro-editor focus-ring lighting gun-editor save-failed quit-question; do
    file=$out/$size/$name.png
    if [ ! -f "$file" ]; then
      echo "missing: $size/$name.png"
      failed=1
      continue
    fi
    # PNG: signature, then the IHDR chunk with width and height (big-endian).
    # shellcheck disable=SC2207
    b=($(od -An -tu1 -N24 -v "$file"))
    signature="${b[0]} ${b[1]} ${b[2]} ${b[3]}"
    w=$(( (b[16] << 24) | (b[17] << 16) | (b[18] << 8) | b[19] ))
    h=$(( (b[20] << 24) | (b[21] << 16) | (b[22] << 8) | b[23] ))
    if [ "$signature" != "137 80 78 71" ] || [ "${w}x${h}" != "$size" ]; then
      echo "wrong picture: $size/$name.png is ${w}x${h}"
      failed=1
    else
      echo "ok: $size/$name.png"
    fi
  done
  for name in import-dialog save-failed quit-question; do
    if ! grep -q "^$name " "$out/$size/dialogs.txt" 2>/dev/null; then
      echo "no dialog noted for $size/$name.png"
      failed=1
    fi
  done
  while read -r name x y w h; do
    if result=$("$build/tests/kairo-scenetool" contrast "$out/$size/$name.png" "$x" "$y" "$w" "$h" 2>&1); then
      echo "readable: $size/$name.png ($result)"
    else
      echo "unreadable: $size/$name.png ($result)"
      failed=1
    fi
  done < <(cat "$out/$size/dialogs.txt" 2>/dev/null || true)
done
# The brief runs: a 1366 x 768 screen, where the window starts at the
# design's size, and two languages whose texts are longer than English.
for folder in $brief; do
  for name in mouse-macro key-menu settings; do
    # shellcheck disable=SC2207
    b=($(od -An -tu1 -N24 -v "$out/$folder/$name.png" 2>/dev/null || true))
    if [ "${#b[@]}" -lt 24 ] || [ "$(( (b[16] << 24) | (b[17] << 16) | (b[18] << 8) | b[19] ))x$(( (b[20] << 24) | (b[21] << 16) | (b[22] << 8) | b[23] ))" != 1280x720 ]; then
      echo "missing or wrong: $folder/$name.png"
      failed=1
    else
      echo "ok: $folder/$name.png"
    fi
  done
done
exit $failed
