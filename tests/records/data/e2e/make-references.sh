#!/usr/bin/env bash
# Regenerates the end-to-end reference tables with proj-bin's cs2cs.
# Transverse Mercator is the series form (+approx), within 3 degrees of the central meridian.
# Every table starts with '#' lines naming the command that computed it.
set -euo pipefail
cd "$(dirname "$0")"

wgs84="+proj=longlat +datum=WGS84"
utm37="+proj=utm +approx +zone=37 +datum=WGS84"
# NAD83 / Idaho East (ftUS): false easting 656166.667 US survey feet.
x0=$(echo "656166.667 * 1200 / 3937" | bc -l)
idaho="+proj=tmerc +approx +lat_0=41.66666666666666 +lon_0=-112.1666666666667 +k=0.999947368 +x_0=$x0 +y_0=0 +ellps=GRS80 +towgs84=0,0,0,0,0,0,0 +units=us-ft"

# decimal <d> <m> <s>: the angle in decimal degrees, sign taken from d.
decimal() {
    echo "scale=15; s = 1; if ($1 < 0) s = -1; $1 + s * ($2 / 60 + $3 / 3600)" | bc -l
}

# geodetic_table <file> <target definition> <latitude d m s>;<longitude d m s>;<height>...
# Columns: latitude (d m s);longitude (d m s);height;latitude;longitude (decimal degrees);
# then the target's easting;northing;height.
geodetic_table() {
    local file=$1 target=$2
    shift 2
    {
        echo "# cs2cs -f %.6f $wgs84 +to $target"
        echo "# input: longitude latitude height (decimal degrees, metres)"
        for point in "$@"; do
            IFS=';' read -r lat lon h <<<"$point"
            local latd lond
            latd=$(decimal $lat)
            lond=$(decimal $lon)
            local out
            out=$(echo "$lond $latd $h" | cs2cs -f %.6f $wgs84 +to $target)
            read -r e n z <<<"$out"
            printf '%s;%s;%s;%.12f;%.12f;%s;%s;%s\n' "$lat" "$lon" "$h" "$latd" "$lond" "$e" "$n" "$z"
        done
    } >"$file"
}

geodetic_table utm37_from_wgs84.txt "$utm37" \
    "55 45 36.123;37 30 18.5;0" \
    "41 0 0;36 24 0;152.3" \
    "47 30 30;36 0 0;-20" \
    "60 10 1.25;39 0 0;1000" \
    "69 48 0;41 42 59.9;12.5" \
    "64 0 0;41 30 0;0"

geodetic_table idaho_ftus_from_wgs84.txt "$idaho" \
    "43 30 0;-112 0 0;0" \
    "42 15 30;-111 30 0;1500" \
    "44 45 15.5;-112 45 0;2000"

# Ellipsoidal heights change with the shift, so this one is an explicit pipeline.
gk7_pipeline="+proj=pipeline +step +inv +proj=tmerc +approx +lat_0=0 +lon_0=39 +k=1 +x_0=7500000 +y_0=0 +ellps=krass"
gk7_pipeline+=" +step +proj=cart +ellps=krass"
gk7_pipeline+=" +step +proj=helmert +x=23.92 +y=-141.27 +z=-80.9 +rx=0 +ry=0.35 +rz=0.82 +s=-0.12 +convention=position_vector"
gk7_pipeline+=" +step +inv +proj=cart +ellps=WGS84 +step +proj=unitconvert +xy_in=rad +xy_out=deg"

# Columns: X (north);Y (east with the zone number);H of Gauss-Kruger zone 7 on Pulkovo 1942,
# then latitude;longitude (decimal degrees);ellipsoidal height of WGS 84.
{
    echo "# cct -d 10 $gk7_pipeline"
    echo "# input: Y X H (easting first); output: longitude latitude height"
    for point in "4600000;7300000;0" "5500000;7500000;100" "6184432.871;7406432.123;250.5" \
                 "7000000;7620000;-30" "5123456.789;7612345.678;1200"; do
        IFS=';' read -r x y h <<<"$point"
        out=$(echo "$y $x $h 0" | cct -d 10 $gk7_pipeline)
        read -r lon lat z _ <<<"$out"
        echo "$x;$y;$h;$lat;$lon;$z"
    done
} >gk7_to_wgs84.txt
