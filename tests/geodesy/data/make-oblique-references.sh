#!/usr/bin/env bash
# Prints the reference points of the oblique Mercator azimuth table in
# test_projectionscylindrical.cpp (latitude, longitude, easting, northing; the centre first).
# The three real systems come from cs2cs (proj-bin) between their geographic and projected
# systems, except points more than a quarter turn round the cylinder from the centre (near the
# south pole, and near the seam opposite the centre), which cs2cs folds back onto the near side;
# those, and every other definition, come from exact-hotine.py (python3-mpmath). On stderr: the
# largest difference between the two where both apply.
#
# Beside the centre, its meridian, points west and east of it, far east and near each pole, the
# tables of a right azimuth have two points at ordinary latitudes that catch a seam in the wrong
# place or a u not taken within half a turn of the centre's, which before only the points near
# the poles did: one at the centre's latitude 5 to 8 degrees east of lambda0 + 180 (where a seam
# of longitudes taken from the natural origin would lie, a quarter turn from the centre's
# meridian), and one on the far side 1 to 2 degrees past the seam opposite the centre, outside
# the band of (1 - 1/B) 360 degrees there (0.2 to 0.26 degrees) that the inverse cannot reach,
# where u is some 176 to 178 degrees round the cylinder from the centre's. For azimuth -90 and
# the southern centre the test's mirrored points (about the centre's meridian) are the ones that
# do. The synthetic points serve azimuths 89.9 and 30 as well.
set -euo pipefail
cd "$(dirname "$0")"

# block <C++ name> <exact-hotine.py arguments...> [-- <cs2cs source> <cs2cs target>]:
# "latitude longitude [far]" lines from stdin; "far" marks a point that cs2cs folds.
block() {
    local name=$1
    shift
    local exact=() crs=()
    while (($#)) && [[ $1 != -- ]]; do exact+=("$1"); shift; done
    (($#)) && { shift; crs=("$@"); }
    local input
    input=$(cat)
    local from_exact
    from_exact=$(awk '{print $2, $1}' <<<"$input" | python3 exact-hotine.py "${exact[@]}")
    echo "// exact-hotine.py ${exact[*]}"
    ((${#crs[@]})) && echo "// cs2cs -f %.6f ${crs[*]} (all but the far points)"
    echo "const ReferencePoints ${name}Points{"
    if ((${#crs[@]})); then
        local from_cs2cs
        from_cs2cs=$(awk '{print $1, $2}' <<<"$input" | cs2cs -f %.6f "${crs[@]}" | awk '{print $1, $2}')
        paste -d ' ' <(echo "$input") <(echo "$from_exact") <(echo "$from_cs2cs") | awk -v name="$name" '
            { far = ($3 == "far"); o = far ? 1 : 0
              e = $(3 + o); n = $(4 + o); ce = $(5 + o); cn = $(6 + o)
              dn = n - cn; if (dn < 0) dn = -dn
              if (!far) { de = e - ce; if (de < 0) de = -de; if (de > m) m = de; if (dn > m) m = dn
                          e = ce; n = cn }
              else if (dn > mf) mf = dn
              printf "    {%s, %s, %s, %s},\n", $1, $2, e, n }
            END { printf "%s: cs2cs against exact-hotine.py %.6f m, northing of folded points %.6f m\n",
                         name, m, mf > "/dev/stderr" }'
    else
        paste -d ' ' <(echo "$input") <(echo "$from_exact") | awk '{printf "    {%s, %s, %s, %s},\n", $1, $2, $3, $4}'
    fi
    echo "};"
}

swiss_points() {
    cat <<'POINTS'
46.95240555555556 7.439583333333333
47.8 7.439583333333333
46.5 6.14
47.5 9.0
45 40
89.9 100
-89.9 27 far
47 105
10 -174 far
POINTS
}

block kLv95 6377397.155 299.1528128 46.95240555555556 7.439583333333333 90 90 1 2600000 1200000 B \
    -- EPSG:4150 EPSG:2056 < <(swiss_points)
block kLv03 6377397.155 299.1528128 46.95240555555556 7.439583333333333 90 90 1 600000 200000 B \
    -- EPSG:4149 EPSG:21781 < <(swiss_points)
block kEov 6378160 298.247167427 47.14439372222222 19.04857177777778 90 90 0.99993 650000 200000 B \
    -- EPSG:4237 EPSG:23700 <<'POINTS'
47.14439372222222 19.04857177777778
46 19.04857177777778
47.5 16.2
46.2 22.5
45 50
89.9 115
-89.9 40 far
47 115
10 -162 far
POINTS

synthetic_points() {
    cat <<'POINTS'
50 20
53 20
49 17.5
51 23
45 60
89.9 130
-89.9 50
50 115
10 -162
POINTS
}

for azimuth in 90 -90 89.9 30; do
    for variant in A B; do
        name=kAzimuth${azimuth/-/Minus}${variant}
        block "${name/./_}" 6378137 298.257223563 50 20 "$azimuth" "$azimuth" 1 500000 300000 \
            "$variant" < <(synthetic_points)
    done
done
block kSouthernAzimuth90B 6378137 298.257223563 -50 20 90 90 1 500000 300000 B <<'POINTS'
-50 20
-53 20
-49 17.5
-51 23
-45 60
89.9 50
-89.9 130
-50 115
-10 -162
POINTS
