#!/usr/bin/env bash
# Regenerates the coordinate operator's reference tables with proj-bin (cs2cs, cct).
# Every table starts with '#' lines naming the command that computed it.
set -euo pipefail
cd "$(dirname "$0")"

# table <file> <columns comment> <command...>: runs the command on the points of stdin.
table() {
    local file=$1
    local columns=$2
    shift 2
    local input
    input=$(cat)
    {
        echo "# $*"
        echo "# columns: $columns"
        paste -d ' ' <(echo "$input") <(echo "$input" | "$@" | awk '{print $1, $2, $3}')
    } > "$file"
}

utm37() {
    for lat in 40.25 47.5 55.75 63.1 70.9; do
        for lon in 36.02 37.62 39.5 41.97; do echo "$lon $lat 150"; done
    done
}

gk7() {
    for n in 4500000 5600000 6200000 7100000; do
        for e in 7360000 7480000 7640000; do echo "$e $n 100"; done
    done
}

lambert2() {
    for n in 1750000 2200000 2650000; do
        for e in 120000 600000 1050000; do echo "$e $n 50"; done
    done
}

paris() {
    for lat in 42.5 46.8 51.1; do
        for lon in -7.1 -2.3 0 5.6; do echo "$lon $lat 80"; done
    done
}

geocentric() {
    for x in 2849867.1331 2848367.1331 2829867.1331; do
        for z in 5248950.8578 5260950.8578; do echo "$x 2196278.3330 $z"; done
    done
}

geodetic() {
    for lat in 55.70 55.75 56.20; do
        for lon in 37.1 37.62 38.4; do echo "$lon $lat 210"; done
    done
}

krass="+ellps=krass"
pulkovo="+proj=helmert +x=23.57 +y=-140.95 +z=-79.8 +rx=0 +ry=0.35 +rz=0.79 +s=-0.22 +convention=position_vector"
ntf="+a=6378249.2 +b=6356515"
topocentric="+proj=topocentric +ellps=WGS84 +lat_0=55.75 +lon_0=37.62 +h_0=150"

utm37 | table coordoperator_utm37.txt "longitude latitude (degrees) height -> easting northing height" \
    cs2cs -f %.6f +proj=longlat +datum=WGS84 +to +proj=utm +zone=37 +datum=WGS84

gk7 | table coordoperator_gk7.txt "easting northing height -> longitude latitude (degrees) height" \
    cct -d 10 +proj=pipeline +step +inv +proj=tmerc +lat_0=0 +lon_0=39 +k=1 +x_0=7500000 +y_0=0 $krass \
    +step +proj=cart $krass +step $pulkovo +step +inv +proj=cart +ellps=WGS84

lambert2 | table coordoperator_lambert2.txt "easting northing height -> longitude latitude (degrees) height" \
    cct -d 10 +proj=pipeline +step +inv +proj=lcc +lat_1=46.8 +lat_0=46.8 +lon_0=0 +k_0=0.99987742 \
    +x_0=600000 +y_0=2200000 $ntf +pm=paris +step +proj=cart $ntf \
    +step +proj=helmert +x=-168 +y=-60 +z=320 +step +inv +proj=cart +ellps=WGS84

paris | table coordoperator_paris.txt "longitude from Paris latitude (degrees) height -> longitude latitude (degrees) height" \
    cct -d 10 +proj=pipeline +step +inv +proj=longlat $ntf +pm=paris +step +proj=cart $ntf \
    +step +proj=helmert +x=-168 +y=-60 +z=320 +step +inv +proj=cart +ellps=WGS84

geocentric | table coordoperator_topocentric.txt "X Y Z -> x y z (topocentric)" \
    cct -d 6 $topocentric

geodetic | table coordoperator_geodetic_topocentric.txt "longitude latitude (degrees) height -> x y z (topocentric)" \
    cct -d 6 +proj=pipeline +step +proj=cart +ellps=WGS84 +step $topocentric
