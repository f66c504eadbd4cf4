#!/usr/bin/env bash
# Writes recalculation_gk7_utm37.txt: points of Pulkovo 1942 / Gauss-Kruger zone 7 and the
# same points in WGS 84 / UTM zone 37N. Easting and northing come from cs2cs; cs2cs keeps
# heights of these 2D systems, so the ellipsoidal height through the seven-parameter shift
# comes from cct over the same steps. The table starts with '#' lines naming both commands.
set -euo pipefail
cd "$(dirname "$0")"

towgs84="23.92,-141.27,-80.9,0,0.35,0.82,-0.12"
gk7="+proj=tmerc +lat_0=0 +lon_0=39 +k=1 +x_0=7500000 +y_0=0 +ellps=krass +towgs84=$towgs84 +units=m"
utm37="+proj=utm +zone=37 +datum=WGS84 +units=m"
cs2cs_args="-f %.4f $gk7 +to $utm37"
pipeline="+proj=pipeline +step +inv +proj=tmerc +lat_0=0 +lon_0=39 +k=1 +x_0=7500000 +y_0=0 +ellps=krass"
pipeline+=" +step +proj=cart +ellps=krass"
pipeline+=" +step +proj=helmert +x=23.92 +y=-141.27 +z=-80.9 +rx=0 +ry=0.35 +rz=0.82 +s=-0.12 +convention=position_vector"
pipeline+=" +step +inv +proj=cart +ellps=WGS84 +step +proj=utm +zone=37 +ellps=WGS84"

# Columns: name;X (north);Y (east);H of zone 7, then easting;northing;height of UTM zone 37N.
{
    echo "# cs2cs $cs2cs_args"
    echo "# cct -d 4 $pipeline"
    echo "# input: Y X H (easting first); output: easting northing (cs2cs), height (cct)"
    for point in "P1;6184432.871;7406432.123;250.5" "P2;5500000;7500000;100" \
                 "P3;6900000;7380000;0" "P4;4600000;7650000;-30" "P5;6600000;7555555.555;1200"; do
        IFS=';' read -r name x y h <<<"$point"
        read -r e n _ <<<"$(echo "$y $x $h" | cs2cs $cs2cs_args)"
        read -r _ _ z _ <<<"$(echo "$y $x $h 0" | cct -d 4 $pipeline)"
        echo "$name;$x;$y;$h;$e;$n;$z"
    done
} >recalculation_gk7_utm37.txt
