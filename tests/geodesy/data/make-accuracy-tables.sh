#!/usr/bin/env bash
# Regenerates the projection accuracy tables with proj-bin: for each definition a point near
# its origin, points at the edge of its usual zone and, where the type allows, across 180
# degrees (or near the equator). Every table starts with '#' lines naming the command.
set -euo pipefail
cd "$(dirname "$0")"

# table <name> <definition...>: longitude latitude pairs from stdin.
table() {
    local file=accuracy_$1.txt
    shift
    local input
    input=$(cat)
    {
        echo "# proj -f %.6f $*"
        echo "# columns: longitude latitude (degrees) -> easting northing (metres)"
        paste -d ' ' <(echo "$input") <(echo "$input" | proj -f '%.6f' "$@" | tr '\t' ' ')
    } > "$file"
}

table tmerc_sweden +proj=tmerc +lat_0=0 +lon_0=15 +k=0.9996 +x_0=500000 +y_0=0 +ellps=GRS80 <<'POINTS'
15 60
15.5 55.2
24.5 65.8
10.5 58
22 56
POINTS
table tmerc_britain +proj=tmerc +lat_0=49 +lon_0=-2 +k=0.9996012717 +x_0=400000 +y_0=-100000 +ellps=airy <<'POINTS'
-2 49
-1.5 50.5
1.76 52.6
-8.2 58.2
POINTS
table tmerc_pacific +proj=tmerc +lat_0=0 +lon_0=177 +k=0.9996 +x_0=500000 +y_0=10000000 +ellps=WGS84 <<'POINTS'
177 -40
-179.5 -35
-177 -50
170 -20
POINTS
table tmerc_equatorial_wide +proj=tmerc +lat_0=0 +lon_0=117 +k=1 +x_0=500000 +y_0=0 +ellps=krass <<'POINTS'
117 0
117.5 0.0001
125.5 -30
126 50
108 65
POINTS
table tmerc_equatorial_pacific +proj=tmerc +lat_0=0 +lon_0=-177 +k=1 +x_0=500000 +y_0=0 +ellps=krass <<'POINTS'
-177 10
179 60
175 -5
POINTS
table merc1sp_pacific +proj=merc +lon_0=150 +k=1 +x_0=0 +y_0=0 +ellps=WGS84 <<'POINTS'
150 0
-170 -10
179.9 60
120 -45
POINTS
table merc2sp_asia +proj=merc +lat_ts=42 +lon_0=100 +x_0=0 +y_0=0 +ellps=krass <<'POINTS'
100 42
-170 30
51 42
POINTS
table lcc1sp_pacific +proj=lcc +lat_1=-40 +lat_0=-40 +lon_0=175 +k_0=1 +x_0=2000000 +y_0=6000000 +ellps=GRS80 <<'POINTS'
175 -40
-179.5 -38
166 -47
POINTS
table lcc2sp_pacific +proj=lcc +lat_1=-37.5 +lat_2=-44.5 +lat_0=-41 +lon_0=173 +x_0=3000000 +y_0=7000000 +ellps=GRS80 <<'POINTS'
173 -41
-178 -35
166 -47
POINTS
table eqdc_pacific +proj=eqdc +lat_0=40 +lon_0=170 +lat_1=30 +lat_2=50 +x_0=0 +y_0=0 +ellps=WGS84 <<'POINTS'
170 40
-165 45
150 25
-175 60
POINTS
table cass_berlin +proj=cass +lat_0=52.41864827777778 +lon_0=13.62720366666667 +x_0=40000 +y_0=10000 +ellps=bessel <<'POINTS'
13.62720366666667 52.41864827777778
16.6 53
10.6 51.5
POINTS
table cass_pacific +proj=cass +lat_0=-16.5 +lon_0=179.3 +x_0=500000 +y_0=500000 +ellps=WGS84 <<'POINTS'
179.3 -16.5
-179.8 -16.5
178 -18
POINTS
table omerc_pacific +proj=omerc +lat_0=-18 +lonc=178 +alpha=30 +gamma=30 +k=0.9999 +x_0=500000 +y_0=500000 +ellps=WGS84 <<'POINTS'
178 -18
-179 -16.5
176 -20
POINTS
table omerc_nouoff_pacific +proj=omerc +no_uoff +lat_0=-18 +lonc=178 +alpha=30 +gamma=30 +k=0.9999 +x_0=500000 +y_0=500000 +ellps=WGS84 <<'POINTS'
178 -18
-179 -16.5
176 -20
POINTS
table aea_alaska +proj=aea +lat_1=55 +lat_2=65 +lat_0=50 +lon_0=-154 +x_0=0 +y_0=0 +ellps=GRS80 <<'POINTS'
-154 50
172 52
-130 60
POINTS
table poly_equator +proj=poly +lat_0=0 +lon_0=-54 +x_0=5000000 +y_0=10000000 +ellps=aust_SA <<'POINTS'
-54 0
-50 0
-58 0
-44 0.5
-54 -33
-35 -8
POINTS
# The poles of the oblique projections, and points near them.
table sterea_poles +proj=sterea +lat_0=52.15616055555555 +lon_0=5.38763888888889 +k=0.9999079 +x_0=155000 +y_0=463000 +ellps=bessel <<'POINTS'
5.38763888888889 90
-170 90
100 89.9
-174 89.9
45 89.999999
5.38763888888889 -90
-170 -90
5 -89.9
POINTS
# The program takes longitudes from the centre's meridian (178), proj from the natural origin's
# (-172); as B is above 1 the two differ between -2 and 8, where either seam may lie. The far
# side near the pole is tried at -3.
table omerc_poles +proj=omerc +lat_0=-18 +lonc=178 +alpha=30 +gamma=30 +k=0.9999 +x_0=500000 +y_0=500000 +ellps=WGS84 <<'POINTS'
178 90
-2 90
178 89.9
-3 89.9
10 89.999999
178 -90
-2 -90
178 -89.9
-100 -89.999999
POINTS
table omerc_nouoff_poles +proj=omerc +no_uoff +lat_0=-18 +lonc=178 +alpha=30 +gamma=30 +k=0.9999 +x_0=500000 +y_0=500000 +ellps=WGS84 <<'POINTS'
178 90
-2 90
178 89.9
178 -90
-2 -90
178 -89.9
POINTS
# Wide-zone Gauss-Kruger out to 55 degrees from the central meridian. The series to n^6 that
# proj and the program use agrees there with the exact transverse Mercator to 0.0011 mm (0.011 mm
# at 60 degrees on the equator, 0.18 mm at 65): compare with
#   grep -v '^#' accuracy_gkwide_far.txt | cut -d' ' -f1,2 | python3 exact-tmerc.py 6378245 298.3 1 45 500000 0
table gkwide_far +proj=tmerc +algo=poder_engsager +lat_0=0 +lon_0=45 +k=1 +x_0=500000 +y_0=0 +ellps=krass <<'POINTS'
75 70
15 80
85 60
5 75
85 20
95 45
-5 10
100 30
-10 0
100 0.5
POINTS
table gkwide_far_south +proj=tmerc +algo=poder_engsager +lat_0=0 +lon_0=21 +k=0.9996 +x_0=500000 +y_0=10000000 +ellps=WGS84 <<'POINTS'
61 -70
-19 -50
71 -5
-34 -40
76 -25
POINTS
