#!/usr/bin/env bash
# Makes the recipe program's start-up sound and splash animations, all drawn or synthesised here:
#   data/recipe/LV6.wav            a short three-note chime (sox)
#   data/recipe/gif1.gif           a bouncing apple (ImageMagick)
#   data/recipe/Recipe_3D_GIF.gif  a steaming pot (ImageMagick)
# The results are committed; the build only copies them. Needs: sox, imagemagick.
set -euo pipefail
out="$(cd "$(dirname "$0")" && pwd)/recipe"
convert="${CONVERT:-/usr/bin/convert}"   # ImageMagick's own, not a wrapper earlier on PATH
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# --- LV6.wav: E5, G5, C6, each fading out, 22.05 kHz mono 16-bit, about 1.4 s ---
note() {  # file frequency seconds
  sox -D -n -r 22050 -c 1 -b 16 "$1" synth "$3" sine "$2" fade q 0.01 "$3" "$(echo "$3 - 0.02" | bc)" vol 0.45
}
note "$tmp/n1.wav" 659.26 0.25
note "$tmp/n2.wav" 783.99 0.25
note "$tmp/n3.wav" 1046.50 0.9
sox -D "$tmp/n1.wav" "$tmp/n2.wav" "$tmp/n3.wav" "$out/LV6.wav"

# --- gif1.gif: an apple bouncing on a plate-coloured floor, 96 x 96, 12 frames ---
frames=()
for i in $(seq 0 11); do
  # height of the bounce: |sin| over one cycle, 0 .. 28 pixels
  lift=$(awk -v i="$i" 'BEGIN { printf "%d", 28 * sin(3.14159265 * i / 12) }')
  cy=$((60 - lift))
  shadow=$((22 - lift / 3))
  "$convert" -size 96x96 xc:'#fffaf0' \
    -fill '#d8cfc0' -draw "ellipse 48,86 $shadow,4 0,360" \
    -fill '#c0392b' -draw "circle 48,$cy 48,$((cy + 22))" \
    -fill '#e74c3c' -draw "circle 43,$((cy - 4)) 43,$((cy + 12))" \
    -fill '#f5b7b1' -draw "ellipse 38,$((cy - 10)) 5,3 0,360" \
    -stroke '#6e4b1f' -strokewidth 3 -draw "line 48,$((cy - 20)) 51,$((cy - 30))" \
    -stroke none -fill '#27ae60' -draw "ellipse 58,$((cy - 27)) 8,4 0,360" \
    "$tmp/apple$i.png"
  frames+=("$tmp/apple$i.png")
done
"$convert" -delay 8 -loop 0 "${frames[@]}" -layers Optimize "$out/gif1.gif"

# --- Recipe_3D_GIF.gif: a shaded pot with steam rising, 120 x 100, 10 frames ---
frames=()
for i in $(seq 0 9); do
  draw=()
  for k in 0 1 2; do
    # each wisp climbs 40 pixels over the cycle, starting a third of a cycle after the last
    phase=$(( (i + k * 10 / 3) % 10 ))
    y=$((44 - phase * 4))
    x=$((38 + k * 22))
    sway=$(awk -v p="$phase" 'BEGIN { printf "%d", 8 * sin(p * 1.2) }')
    grey=$((200 + phase * 5))
    draw+=(-stroke "rgb($grey,$grey,$grey)" -strokewidth 5 -fill none
           -draw "bezier $x,$((y + 12)) $((x + sway)),$((y + 6)) $((x - sway)),$((y + 2)) $x,$((y - 4))")
  done
  "$convert" -size 120x100 xc:'#fdf6e3' \
    "${draw[@]}" \
    -stroke none -fill '#5d6d7e' -draw "roundrectangle 22,56 98,92 10,10" \
    -fill '#85929e' -draw "roundrectangle 28,58 60,90 8,8" \
    -fill '#34495e' -draw "ellipse 60,56 40,8 0,360" \
    -fill '#aeb6bf' -draw "ellipse 60,55 36,6 0,360" \
    -fill '#2c3e50' -draw "roundrectangle 10,62 24,68 3,3" -draw "roundrectangle 96,62 110,68 3,3" \
    "$tmp/pot$i.png"
  frames+=("$tmp/pot$i.png")
done
"$convert" -delay 12 -loop 0 "${frames[@]}" -layers Optimize "$out/Recipe_3D_GIF.gif"

ls -l "$out/LV6.wav" "$out/gif1.gif" "$out/Recipe_3D_GIF.gif"
