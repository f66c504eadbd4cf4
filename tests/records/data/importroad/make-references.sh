#!/usr/bin/env bash
# Regenerates the reference tables of the import road test with proj-bin's cs2cs.
# The definitions are those of ../wkt/pulkovo_1942_gk_zone_7.wkt and ../wkt/utm_zone_37n.wkt;
# transverse Mercator in its series form (+approx).
# Every table starts with '#' lines naming the command that computed it.
set -euo pipefail
cd "$(dirname "$0")"

gk7="+proj=tmerc +approx +lat_0=0 +lon_0=39 +k=1 +x_0=7500000 +y_0=0 +ellps=krass"
gk7+=" +towgs84=23.57,-140.95,-79.8,0,0.35,0.79,-0.22 +units=m +type=crs"
utm37="+proj=utm +approx +zone=37 +ellps=WGS84 +towgs84=0,0,0,0,0,0,0 +units=m +type=crs"

# Columns: X (north);Y (east with the zone number);H of Gauss-Kruger zone 7 on Pulkovo 1942,
# then E;N;h of UTM zone 37N on WGS 84.
{
    echo "# cs2cs -f %.6f $gk7 +to $utm37"
    echo "# input: Y X H (easting first)"
    for point in "6184432.871;7406432.123;250.5" "5500000;7500000;100" "4600000;7300000;0" \
                 "7000000;7620000;-30" "5123456.789;7612345.678;1200" "6650000.5;7350000.25;15.75"; do
        IFS=';' read -r x y h <<<"$point"
        read -r e n z <<<"$(echo "$y $x $h" | cs2cs -f %.6f $gk7 +to $utm37)"
        echo "$x;$y;$h;$e;$n;$z"
    done
} >gk7_to_utm37.txt

# Columns: E;N;h of UTM zone 37N on WGS 84, then X;Y;H of Gauss-Kruger zone 7 on Pulkovo 1942.
{
    echo "# cs2cs -f %.6f $utm37 +to $gk7"
    echo "# input: E N h"
    for point in "406195.827698;6180384.265374;0" "281325.43126;4542013.347704;152.3" \
                 "274104.391224;5266018.574092;-20" "500000;6670011.383477;1000" \
                 "604660.758304;7745899.045891;12.5"; do
        IFS=';' read -r e n h <<<"$point"
        read -r y x z <<<"$(echo "$e $n $h" | cs2cs -f %.6f $utm37 +to $gk7)"
        echo "$e;$n;$h;$x;$y;$z"
    done
} >utm37_to_gk7.txt
