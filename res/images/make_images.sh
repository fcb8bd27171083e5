#!/bin/sh
# Draws the program's images: the application icon (res/orvanta.ico) and the
# banner word mark (res/banner.bmp). The build uses the committed outputs;
# rerun this only to change the pictures. Needs ImageMagick and the IPA Mincho font.
set -eu

res_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

serif_font=/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf

# Icon: a dark green tile with three sorted bars and a downward arrow, drawn
# once at 1024 px and reduced to each size, every entry 32 bits with alpha.
convert -size 1024x1024 xc:none \
    -fill '#145a00' -draw 'roundrectangle 48,48 975,975 160,160' \
    -fill white \
    -draw 'roundrectangle 176,232 416,328 40,40' \
    -draw 'roundrectangle 176,464 560,560 40,40' \
    -draw 'roundrectangle 176,696 704,792 40,40' \
    -draw 'rectangle 744,208 840,600' \
    -draw 'polygon 656,576 928,576 792,816' \
    "$work/icon-1024.png"

icon_sizes="256 128 64 48 32 24 16"
frames=""
for size in $icon_sizes; do
    convert "$work/icon-1024.png" -filter Lanczos -resize "${size}x${size}" \
        -define png:color-type=6 "PNG32:$work/icon-$size.png"
    frames="$frames $work/icon-$size.png"
done
# shellcheck disable=SC2086
convert $frames "$res_dir/orvanta.ico"

# Banner: 693 x 44 white field, 24-bit, with the word mark in pale green-grey
# serif lettering; its ink is centred in the box of columns 186-416, rows 5-40.
box_left=186
box_top=5
box_width=231
box_height=36
convert -background none -fill '#a3b5a8' -font "$serif_font" -pointsize 46 \
    label:Orvanta -trim +repage "$work/mark.png"
mark_width=$(identify -format '%w' "$work/mark.png")
mark_height=$(identify -format '%h' "$work/mark.png")
if [ "$mark_width" -gt "$box_width" ] || [ "$mark_height" -gt "$box_height" ]; then
    echo "word mark ${mark_width}x${mark_height} does not fit ${box_width}x${box_height}" >&2
    exit 1
fi
mark_x=$((box_left + (box_width - mark_width) / 2))
mark_y=$((box_top + (box_height - mark_height) / 2))
convert -size 693x44 xc:white "$work/mark.png" -geometry "+$mark_x+$mark_y" -composite \
    -alpha off -type TrueColor "BMP3:$res_dir/banner.bmp"
