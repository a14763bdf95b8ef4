#!/usr/bin/env bash
# Draws every picture of the demo manual into manual/pics/ (ImageMagick "convert").
#
#   tools/draw-pictures.sh [OUTDIR]        default OUTDIR: manual/pics next to this script
#
# Each drawing is written once as MVG in a 320x200 frame (icons: 16x16). A picture
# that the pages offer enlarged is rendered a second time through "scale 2,2", so the
# small and the large copy always show the same drawing. BMPs are 8-bit palette
# pictures with RLE compression (line drawings pack to a few KB that way), JPEGs are
# plain baseline files; pictures title.jpg and the .cap caption files are not made here.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../manual/pics}
mkdir -p "$out"

FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
[ -f "$FONT" ] || FONT=DejaVu-Sans
INK='#1d3f6e'      # lines
FILL='#dde6f0'     # light fill of parts
DARK='#8899aa'     # dark fill (sections, rubber)
RED='#c0392b'      # marks, arrows of flow
BLUE='#2b6cb0'     # coolant, brake fluid

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Common head of every drawing: ink, no fill, font.
head() {
  cat <<EOF
font '$FONT'
font-size 11
stroke '$INK'
stroke-width 1.5
fill none
stroke-linejoin round
EOF
}

# callout N X Y: a numbered circle that the page text refers to.
callout() {
  cat <<EOF
push graphic-context
stroke '$INK' stroke-width 1 fill white
circle $2,$3 $(($2 + 8)),$3
fill '$INK' stroke none font-size 10 text-anchor middle
text $2,$(($3 + 4)) '$1'
pop graphic-context
EOF
}

# leader X0 Y0 X1 Y1: a thin line from a callout to its part.
leader() { echo "push graphic-context stroke-width 0.8 line $1,$2 $3,$4 pop graphic-context"; }

# label X Y TEXT: small text in ink.
label() {
  echo "push graphic-context fill '$INK' stroke none font-size ${4:-10} text $1,$2 '$3' pop graphic-context"
}

# arrow X0 Y0 X1 Y1 COLOUR: a flow arrow with a filled head at X1,Y1.
arrow() {
  python3 - "$@" <<'EOF'
import math, sys
x0, y0, x1, y1 = map(float, sys.argv[1:5]); c = sys.argv[5]
a = math.atan2(y1 - y0, x1 - x0); l = 7
p1 = (x1 - l * math.cos(a - 0.4), y1 - l * math.sin(a - 0.4))
p2 = (x1 - l * math.cos(a + 0.4), y1 - l * math.sin(a + 0.4))
print(f"push graphic-context stroke '{c}' stroke-width 1.5 line {x0:.0f},{y0:.0f} {x1:.0f},{y1:.0f}")
print(f"fill '{c}' polygon {x1:.0f},{y1:.0f} {p1[0]:.1f},{p1[1]:.1f} {p2[0]:.1f},{p2[1]:.1f} pop graphic-context")
EOF
}

# ---------------------------------------------------------------- drawings

eng_section() {   # cross-section of one cylinder
  head
  cat <<EOF
fill '$FILL'
polygon 90,60 110,60 110,150 90,150
polygon 210,60 230,60 230,150 210,150
fill '$DARK'
rectangle 80,40 240,60
fill white
rectangle 112,100 208,130
line 112,106 208,106
line 112,111 208,111
fill '$FILL'
polygon 152,118 168,118 166,168 154,168
fill white
circle 160,178 160,196
fill '$FILL'
circle 160,172 160,164
line 118,48 118,28
line 202,48 202,28
fill '$FILL'
polygon 110,60 126,60 120,52 116,52
polygon 194,60 210,60 204,52 200,52
ellipse 118,20 10,8 0,360
ellipse 202,20 10,8 0,360
fill '$DARK'
rectangle 156,30 164,48
line 160,48 160,56
EOF
  label 20 190 'Разрез цилиндра'
  callout 1 50 115; leader 58 115 110 115
  callout 2 270 112; leader 262 112 208 115
  callout 3 270 150; leader 262 150 178 150
  callout 4 270 182; leader 262 182 176 180
  callout 5 50 25; leader 58 24 108 20
  callout 6 160 10; leader 160 18 160 30
  callout 7 270 45; leader 262 45 240 50
}

head_bolts() {    # tightening order of the head bolts
  head
  cat <<EOF
fill '$FILL'
roundrectangle 30,50 290,150 6,6
push graphic-context stroke-dasharray 4 3 fill none
circle 75,100 75,128
circle 135,100 135,128
circle 195,100 195,128
circle 255,100 255,128
pop graphic-context
EOF
  # bolts: number = place in the tightening order, from the middle outward
  local bolts="1 165 135  2 165 65  3 105 65  4 225 135  5 225 65  6 105 135  7 45 135  8 280 65  9 280 135  10 45 65"
  set -- $bolts
  while [ $# -gt 0 ]; do
    echo "push graphic-context fill white circle $2,$3 $(($2 + 10)),$3 pop graphic-context"
    echo "push graphic-context fill '$RED' stroke none font-size 11 text-anchor middle text $2,$(($3 + 4)) '$1' pop graphic-context"
    shift 3
  done
  label 30 30 'Порядок затяжки болтов головки' 11
  label 30 180 'вид сверху, ремень ГРМ слева' 10
}

timing() {        # timing belt layout
  head
  cat <<EOF
fill '$FILL'
circle 200,55 200,20
circle 200,165 200,143
circle 110,120 110,100
circle 135,60 135,48
fill white
circle 200,55 200,45
circle 200,165 200,158
circle 110,120 110,113
circle 135,60 135,56
fill none stroke-width 3 stroke '#333333'
line 235,55 222,165
line 165,55 147,60
line 124,64 92,112
line 116,140 178,167
EOF
  echo "push graphic-context stroke '#333333' stroke-width 3 fill none path 'M 165,55 A 35,35 0 0 1 235,55' path 'M 222,165 A 22,22 0 0 1 178,167' pop graphic-context"
  echo "push graphic-context stroke '$RED' fill '$RED' polygon 200,14 195,4 205,4 polygon 200,193 195,199 205,199 pop graphic-context"
  label 230 12 'метка' 10
  callout 1 280 40; leader 272 40 235 50
  callout 2 280 170; leader 272 170 222 165
  callout 3 60 150; leader 66 145 100 130
  callout 4 60 40; leader 68 42 125 58
  callout 5 280 110; leader 272 110 231 110
}

oil() {           # lubrication circuit
  head
  box() { echo "fill '$FILL' rectangle $1,$2 $3,$4"; }
  box 20 150 110 185; box 20 90 80 125; box 110 90 170 125; box 200 90 300 125
  box 200 20 300 55; box 60 20 150 55
  label 38 172 'поддон'; label 28 112 'насос'; label 118 112 'фильтр'
  label 208 112 'магистраль'; label 212 42 'коленвал'; label 68 42 'распредвал'
  arrow 50 150 50 127 "$RED"
  arrow 80 107 108 107 "$RED"
  arrow 170 107 198 107 "$RED"
  arrow 250 90 250 57 "$RED"
  arrow 225 90 152 45 "$RED"
  arrow 290 125 290 165 "$RED"; arrow 290 165 112 168 "$RED"
  echo "fill white circle 250,150 250,160"
  label 244 154 'P'
  leader 250 125 250 140
}

cooling() {       # cooling circuit
  head
  echo "fill '$FILL' rectangle 20,40 70,170"
  for y in 50 62 74 86 98 110 122 134 146 158; do echo "line 20,$y 70,$y"; done
  echo "fill '$FILL' roundrectangle 130,70 230,150 6,6"
  echo "fill white rectangle 150,85 210,135"
  echo "fill '$FILL' circle 110,110 110,96"
  echo "fill '$FILL' rectangle 250,20 300,50"
  echo "fill white rectangle 255,150 305,185"
  for x in 262 272 282 292; do echo "line $x,150 $x,185"; done
  label 25 190 'радиатор'; label 150 65 'двигатель'; label 92 90 'насос'
  label 250 15 'бачок'; label 245 197 'отопитель'
  echo "fill '$RED' stroke '$INK' rectangle 180,20 200,40"
  label 168 15 'термостат'
  arrow 190 70 190 42 "$BLUE"
  arrow 180 30 72 50 "$BLUE"
  arrow 70 160 100 120 "$BLUE"
  arrow 124 110 128 110 "$BLUE"
  arrow 230 140 253 162 "$BLUE"
  arrow 255 182 118 124 "$BLUE"
  arrow 275 52 230 75 "$BLUE"
}

fuel() {          # fuel supply
  head
  echo "fill '$FILL' roundrectangle 20,120 120,180 8,8"
  echo "fill white rectangle 55,130 75,170"
  echo "fill '$FILL' rectangle 150,140 190,160"
  echo "fill '$FILL' rectangle 170,40 300,58"
  for x in 190 220 250 280; do
    echo "fill '$FILL' polygon $((x - 5)),58 $((x + 5)),58 $((x + 3)),82 $((x - 3)),82"
    echo "line $x,82 $x,92"
  done
  echo "fill white circle 160,49 160,41"
  arrow 65 130 65 100 "$RED"; arrow 65 100 145 100 "$RED"
  arrow 145 100 170 138 "$RED"; arrow 190 150 230 150 "$RED"
  arrow 230 150 230 120 "$RED"; arrow 230 120 160 60 "$RED"
  callout 1 40 100; leader 48 104 58 140
  callout 2 170 185; leader 170 177 170 160
  callout 3 300 25; leader 292 30 280 41
  callout 4 300 110; leader 292 106 282 88
  callout 5 130 25; leader 138 30 154 44
  label 20 196 'топливный бак' 10
}

plug() {          # spark plug with the gap
  head
  cat <<EOF
fill white
rectangle 145,10 175,60
fill '$FILL'
polygon 135,60 185,60 190,75 185,90 135,90 130,75
fill white
rectangle 142,90 178,140
EOF
  for y in 95 103 111 119 127 135; do echo "line 142,$y 178,$((y + 4))"; done
  cat <<EOF
fill '$DARK'
rectangle 156,140 164,158
fill none stroke-width 3
polyline 145,140 145,172 162,172
EOF
  echo "push graphic-context stroke '$RED' line 200,158 215,158 line 200,170 215,170 line 210,145 210,157 line 210,183 210,171 pop graphic-context"
  label 220 168 '1,0-1,1 мм' 11
  label 20 30 'Свеча зажигания' 11
  callout 1 80 35; leader 88 35 145 35
  callout 2 80 75; leader 88 75 131 75
  callout 3 80 115; leader 88 115 142 115
  callout 4 80 160; leader 88 160 145 160
}

clutch() {        # clutch disc
  head
  echo "fill '$DARK' circle 160,100 160,12"
  echo "fill '$FILL' circle 160,100 160,40"
  echo "fill white circle 160,100 160,82"
  echo "fill '$FILL' circle 160,100 160,86"
  for a in 0 60 120 180 240 300; do
    python3 -c "
import math
a=math.radians($a); cx=160+38*math.cos(a); cy=100+38*math.sin(a)
dx=11*math.cos(a+math.pi/2); dy=11*math.sin(a+math.pi/2); ex=5*math.cos(a); ey=5*math.sin(a)
print('fill white polygon %.0f,%.0f %.0f,%.0f %.0f,%.0f %.0f,%.0f'%(cx-dx-ex,cy-dy-ey,cx+dx-ex,cy+dy-ey,cx+dx+ex,cy+dy+ey,cx-dx+ex,cy-dy+ey))"
  done
  for a in $(seq 0 30 330); do
    python3 -c "
import math
a=math.radians($a); print('line %.0f,%.0f %.0f,%.0f'%(160+14*math.cos(a),100+14*math.sin(a),160+8*math.cos(a),100+8*math.sin(a)))"
  done
  echo "circle 160,100 160,86"
  callout 1 285 30; leader 277 34 230 55
  callout 2 285 100; leader 277 100 202 104
  callout 3 285 170; leader 277 166 172 108
}

gears() {         # gear shift pattern
  head
  echo "stroke-width 4 line 100,50 100,150 line 160,50 160,150 line 220,50 220,150 line 100,100 220,100"
  echo "stroke-width 4 line 280,100 220,100 line 280,100 280,150"
  for p in "1 100 38" "2 100 172" "3 160 38" "4 160 172" "5 220 38" "R 280 172"; do
    set -- $p
    echo "push graphic-context fill white stroke '$INK' stroke-width 1.5 circle $2,$(($3 - 4)) $(($2 + 11)),$(($3 - 4)) pop graphic-context"
    echo "push graphic-context fill '$INK' stroke none font-size 13 text-anchor middle text $2,$(($3 + 1)) '$1' pop graphic-context"
  done
  label 20 196 'задний ход: приподнять кольцо на рычаге' 10
}

brake_disc() {    # disc brake with caliper
  head
  echo "fill '$FILL' circle 140,100 140,15"
  echo "fill white circle 140,100 140,55"
  for a in 0 72 144 216 288; do
    python3 -c "
import math
a=math.radians($a); print('fill white circle %.0f,%.0f %.0f,%.0f'%(140+27*math.cos(a),100+27*math.sin(a),140+27*math.cos(a)+5,100+27*math.sin(a)))"
  done
  echo "fill '$FILL' circle 140,100 140,94"
  echo "fill '$DARK' roundrectangle 205,45 245,155 8,8"
  echo "fill white rectangle 215,55 235,145"
  echo "fill '$FILL' rectangle 250,70 290,130"
  echo "line 290,90 305,90 line 290,110 305,110"
  callout 1 30 30; leader 38 34 80 45
  callout 2 30 170; leader 38 166 128 112
  callout 3 300 30; leader 292 34 240 50
  callout 4 300 170; leader 292 166 232 140
  callout 5 300 60; leader 292 64 285 75
}

bleed() {         # bleeding order, car from above
  head
  echo "fill '$FILL' roundrectangle 110,20 210,185 30,30"
  echo "fill white roundrectangle 125,60 195,90 6,6"
  echo "fill white roundrectangle 125,140 195,160 6,6"
  for p in "95 40" "225 40" "95 150" "225 150"; do
    set -- $p; echo "fill '$DARK' rectangle $(($1 - 8)),$2 $(($1 + 8)),$(($2 + 30))"
  done
  label 172 14 'вперёд' 10
  arrow 160 30 160 6 "$INK"
  for p in "1 260 165" "2 60 55" "3 60 165" "4 260 55"; do
    set -- $p
    echo "push graphic-context fill '$RED' stroke none circle $2,$3 $(($2 + 12)),$3 pop graphic-context"
    echo "push graphic-context fill white stroke none font-size 13 text-anchor middle text $2,$(($3 + 5)) '$1' pop graphic-context"
  done
}

strut() {         # front strut
  head
  cat <<EOF
fill '$DARK'
rectangle 120,12 200,26
fill '$FILL'
rectangle 150,26 170,80
fill '$FILL'
rectangle 140,80 180,170
fill '$FILL'
polygon 115,40 205,40 200,48 120,48
polygon 120,150 200,150 205,158 115,158
EOF
  local y=48 s=1 pts=""
  while [ $y -le 148 ]; do
    if [ $s = 1 ]; then pts="$pts 118,$y"; s=0; else pts="$pts 202,$y"; s=1; fi
    y=$((y + 10))
  done
  echo "fill none stroke-width 2.5 polyline$pts"
  echo "fill '$FILL' roundrectangle 135,170 185,195 6,6"
  echo "line 185,182 240,182"
  callout 1 60 18; leader 68 18 120 18
  callout 2 260 60; leader 252 60 170 60
  callout 3 60 100; leader 68 100 122 100
  callout 4 260 120; leader 252 120 180 120
  callout 5 60 182; leader 68 182 135 182
}

toe() {           # toe-in, wheels from above
  head
  echo "fill '$DARK' polygon 68,40 92,38 84,158 60,160"
  echo "fill '$DARK' polygon 228,38 252,40 260,160 236,158"
  echo "push graphic-context stroke-dasharray 5 3 line 160,20 160,185 pop graphic-context"
  echo "push graphic-context stroke '$RED' line 92,60 228,60 line 86,140 234,140 pop graphic-context"
  label 140 54 'A' 12; label 140 155 'B' 12
  label 20 196 'схождение = B - A' 11
  arrow 160 30 160 10 "$INK"
  label 168 20 'вперёд' 10
}

battery() {       # battery
  head
  cat <<EOF
fill '$FILL'
rectangle 40,60 280,180
fill '$DARK'
rectangle 40,50 280,64
fill white
rectangle 70,36 100,50
rectangle 220,36 250,50
EOF
  for x in 120 140 160 180 200; do echo "fill white circle $x,57 $((x + 5)),57"; done
  echo "push graphic-context fill '$RED' stroke none font-size 22 text-anchor middle text 85,30 '+' pop graphic-context"
  echo "push graphic-context fill '$INK' stroke none font-size 22 text-anchor middle text 235,30 '-' pop graphic-context"
  label 110 130 '12 В  60 А*ч' 14
  label 110 150 '540 А (EN)' 11
}

headlamp() {      # headlamp aiming screen
  head
  echo "fill '$FILL' rectangle 20,20 300,160"
  echo "line 20,70 300,70"
  echo "push graphic-context stroke-dasharray 5 3 line 20,85 300,85 line 90,20 90,160 line 230,20 230,160 line 160,20 160,160 pop graphic-context"
  echo "push graphic-context stroke '$RED' stroke-width 2.5 polyline 30,85 90,85 105,70 150,70 polyline 170,85 230,85 245,70 290,70 pop graphic-context"
  label 24 66 'h' 11; label 24 100 'h-e' 11
  label 80 180 'экран на расстоянии 5 м от фар' 11
  callout 1 90 140; callout 2 230 140
}

fuses() {         # fuse box
  head
  echo "fill '$FILL' roundrectangle 20,20 300,185 6,6"
  local n=1
  for r in 0 1 2 3; do
    for c in 0 1 2 3 4; do
      local x=$((38 + c * 54)) y=$((34 + r * 38))
      echo "fill white rectangle $x,$y $((x + 40)),$((y + 28))"
      echo "push graphic-context fill '$INK' stroke none font-size 11 text-anchor middle text $((x + 20)),$((y + 18)) 'F$n' pop graphic-context"
      n=$((n + 1))
    done
  done
}

body() {          # car, side view, with the main dimensions
  head
  cat <<EOF
fill '$FILL'
polygon 20,130 24,108 60,100 100,96 128,72 150,62 220,60 250,64 275,96 296,104 300,130 262,130 258,120 240,112 222,112 208,120 204,130 110,130 106,120 92,112 74,112 60,120 56,130
fill white
polygon 134,94 153,68 186,66 186,94
polygon 194,94 194,66 232,67 252,94
fill '$DARK'
circle 82,132 82,114
circle 230,132 230,114
fill white
circle 82,132 82,124
circle 230,132 230,124
EOF
  echo "push graphic-context stroke '$RED' stroke-width 1 line 20,165 300,165 line 20,158 20,172 line 300,158 300,172 line 82,150 230,150 line 82,145 82,155 line 230,145 230,155 line 312,60 312,150 line 306,60 318,60 line 306,150 318,150 pop graphic-context"
  label 130 180 '4020 мм' 11; label 130 146 '2470 мм' 10
  label 270 40 '1440 мм' 10
}

lift() {          # jack and lift points, car from below
  head
  echo "fill '$FILL' roundrectangle 30,50 290,150 25,25"
  for p in "70 40" "250 40" "70 150" "250 150"; do
    set -- $p; echo "fill '$DARK' rectangle $(($1 - 18)),$(($2 - 6)) $(($1 + 18)),$(($2 + 6))"
  done
  for p in "105 52" "215 52" "105 148" "215 148"; do
    set -- $p
    echo "push graphic-context fill '$RED' stroke none polygon $1,$2 $(($1 - 7)),$(($2 + ($2 < 100 ? 12 : -12))) $(($1 + 7)),$(($2 + ($2 < 100 ? 12 : -12))) pop graphic-context"
  done
  echo "fill white rectangle 40,92 60,108"
  label 20 196 'домкрат: метки на порогах (треугольники)' 10
  label 30 26 'вперёд' 10
  arrow 30 30 10 30 "$INK"
}

# ---------------------------------------------------------------- icons, 16x16

ico_book() {      # closed book: a section
  cat <<EOF
stroke '#16345c' stroke-width 1 fill '#2b5f9e'
rectangle 3,1 12,14
fill '#f2f2f2' stroke none
rectangle 12,2 13,14
stroke '#ffffff'
line 5,4 10,4
EOF
}
ico_open() {      # open book: a chapter
  cat <<EOF
stroke '#16345c' stroke-width 1 fill '#ffffff'
polygon 1,3 7,4 7,14 1,13
polygon 14,3 8,4 8,14 14,13
stroke '#8899aa'
line 2,6 6,7 line 2,9 6,10 line 9,7 13,6 line 9,10 13,9
EOF
}
ico_page() {      # sheet: a page
  cat <<EOF
stroke '#4a5a6e' stroke-width 1 fill '#ffffff'
polygon 3,1 10,1 13,4 13,14 3,14
stroke '#2b5f9e'
line 5,6 11,6 line 5,8 11,8 line 5,10 11,10 line 5,12 9,12
EOF
}
ico_table() {     # table: data pages
  cat <<EOF
stroke '#4a5a6e' stroke-width 1 fill '#ffffff'
rectangle 1,2 14,13
fill '#dde6f0'
rectangle 1,2 14,5
line 5,2 5,13 line 10,2 10,13 line 1,9 14,9
EOF
}

# ---------------------------------------------------------------- rendering

# render FUNC NAME.EXT [big]: small copy 320x200; with "big", NAME_big.EXT at 640x400 too.
render() {
  local fn=$1 file=$2 big=${3:-}
  "$fn" > "$tmp/$fn.mvg"
  emit "$tmp/$fn.mvg" 320 200 "$out/$file"
  if [ "$big" = big ]; then
    { echo "scale 2,2"; cat "$tmp/$fn.mvg"; } > "$tmp/$fn-big.mvg"
    emit "$tmp/$fn-big.mvg" 640 400 "$out/${file%.*}_big.${file##*.}"
  fi
}

emit() {
  local mvg=$1 w=$2 h=$3 dest=$4
  case $dest in
    *.bmp) convert -size "${w}x$h" xc:white +antialias -draw "$(cat "$mvg")" -colors 16 -type Palette -compress RLE "BMP3:$dest" ;;
    *.jpg) convert -size "${w}x$h" xc:white -draw "$(cat "$mvg")" -strip -sampling-factor 2x2 -quality 82 "$dest" ;;
  esac
}

icon() {
  "$1" > "$tmp/$1.mvg"
  convert -size 16x16 xc:white -draw "$(cat "$tmp/$1.mvg")" -colors 16 -type Palette "BMP3:$out/$1.bmp"
}

render eng_section eng_section.bmp
render head_bolts  head_bolts.bmp big
render timing      timing.jpg big
render oil         oil.bmp
render cooling     cooling.jpg
render fuel        fuel.bmp
render plug        plug.bmp
render clutch      clutch.jpg
render gears       shift.bmp
render brake_disc  brake_disc.jpg big
render bleed       bleed.bmp
render strut       strut.jpg
render toe         toe.bmp
render battery     battery.bmp
render headlamp    headlamp.bmp
render fuses       fuses.bmp big
render body        body.jpg big
render lift        lift.bmp
icon ico_book
icon ico_open
icon ico_page
icon ico_table
echo "pictures written to $out"
