#!/usr/bin/env bash
# Regenerates the Transverse Mercator and geocentric reference tables with proj-bin.
# Every table starts with '#' lines naming the command that computed it.
set -euo pipefail
cd "$(dirname "$0")"

offsets="-3 -2.25 -1.5 -0.2 0 0.7 2 2.95 3"

# points <central meridian> <latitudes...>: longitude latitude pairs within 3 degrees.
points() {
    local lon0=$1
    shift
    for lat in "$@"; do
        for d in $offsets; do
            echo "$(echo "$lon0 + $d" | bc -l) $lat"
        done
    done
}


table() {
    local file=$1
    local lon0=$2
    local lats=$3
    shift 3
    local definition="$*"
    local input
    input=$(points "$lon0" $lats)
    {
        echo "# proj -f %.6f $definition"
        echo "# columns: longitude latitude (degrees) -> easting northing (metres)"
        paste -d ' ' <(echo "$input") <(echo "$input" | proj -f '%.6f' $definition | tr '\t' ' ')
    } > "$file"
}

inverse() {
    local file=$1
    shift
    local definition="$*"
    local input="$(cat)"
    {
        echo "# proj -I -f %.10f $definition"
        echo "# columns: easting northing (metres) -> longitude latitude (degrees)"
        paste -d ' ' <(echo "$input") <(echo "$input" | proj -I -f '%.10f' $definition | tr '\t' ' ')
    } > "$file"
}

gk7="+proj=tmerc +lat_0=0 +lon_0=39 +k=1 +x_0=7500000 +y_0=0 +ellps=krass"
utm="+proj=tmerc +lat_0=0 +lon_0=-75 +k=0.9996 +x_0=500000 +y_0=10000000 +ellps=WGS84"
grid="+proj=tmerc +lat_0=49 +lon_0=-2 +k=0.9996012717 +x_0=400000 +y_0=-100000 +ellps=airy"
equatorial="+proj=tmerc +lat_0=0 +lon_0=117 +k=1 +x_0=500000 +y_0=0 +ellps=krass"

table tmerc-gk7-krassowsky.txt 39 "0 0.001 12.5 35 44.4 55.75 64 71.3 80" $gk7
table tmerc-utm-south-wgs84.txt -75 "-80 -64.1 -45 -33.45 -12 -0.5" $utm
table tmerc-origin49-airy.txt -2 "38 49 50.5 53 57.2 61" $grid
table tmerc-exact-krassowsky.txt 117 "-50 -20 0 5 30 45 55.75 70 84" $equatorial

inverse tmerc-gk7-krassowsky-inverse.txt $gk7 <<'POINTS'
7500000 0
7499999.5 1.25
7300000 1500000
7700000 4000000
7321654.321 6181000.5
7659000 6300000
7400000 7100000
7600000 7900000
7550000 8800000
7530000 8900000
POINTS

# cart <file> <ellipsoid>: longitude latitude height -> X Y Z.
cart() {
    local file=$1
    local ellps=$2
    local input
    input=$(cat)
    {
        echo "# cct -d 6 +proj=cart +ellps=$ellps"
        echo "# columns: longitude latitude (degrees) height (metres) -> X Y Z (metres)"
        paste -d ' ' <(echo "$input") \
            <(echo "$input" | cct -d 6 +proj=cart +ellps="$ellps" | awk '{print $1, $2, $3}')
    } > "$file"
}

cart cart-krassowsky.txt krass <<'POINTS'
0 0 0
37.62 55.75 150
-70.6 -33.9 520
10 89.5 3000
170 -89.99 -30
100 10 -5000
-120 45 20000000
179.999 -0.001 12.345
-45 -60 8848
POINTS
cart cart-wgs84.txt WGS84 <<'POINTS'
0 0 0
30.3 59.95 -20
-0.1276 51.5072 45.3
151.2 -33.87 58
-179.5 70.5 1000
90 0 100
POINTS
