#!/usr/bin/env python3
"""Hotine oblique Mercator to 50 digits, for reference values at azimuths near and at 90
degrees, where the double-precision formulas lose digits and proj's omerc is off by some cm.

The formulas are EPSG's (methods 9812 and 9815) with these conventions, which the library
follows: longitudes are taken from the centre's meridian into [-180, 180]; u is the turn round
the cylinder taken within half a turn of the centre's, so that it runs on through the centre at
any azimuth; B (lonc - lon0) has the sine G tan(gamma0) and the cosine |cos(alpha)| / cos(gamma0),
and the centre's u / (A/B) is sign(latc) atan(sqrt(D^2 - 1) / |cos(alpha)|). Points exactly on a
pole are left out.

usage: exact-hotine.py a inverse-flattening latc lonc alpha gammac kc x0 y0 A|B
       < "longitude latitude" lines (degrees)
prints: easting northing (metres); for variant B x0, y0 are the easting and northing at the
centre, for variant A at the natural origin
"""
import sys

from mpmath import mp, mpf, asin, atan2, cos, fabs, log, pi, sin, sqrt, tan

mp.dps = 50


def radians(text):
    return mpf(text) * pi / 180


def half_turn(angle):
    """The angle brought into [-pi, pi]."""
    while angle > pi:
        angle -= 2 * pi
    while angle < -pi:
        angle += 2 * pi
    return angle


def main():
    a, rf, latc, lonc, alpha, gammac, kc, x0, y0, variant = sys.argv[1:11]
    a, kc, x0, y0 = mpf(a), mpf(kc), mpf(x0), mpf(y0)
    latc, lonc, alpha, gammac = map(radians, (latc, lonc, alpha, gammac))
    f = 1 / mpf(rf)
    e2 = f * (2 - f)
    e = sqrt(e2)

    def t_of(lat):
        es = e * sin(lat)
        return tan(pi / 4 - lat / 2) / ((1 - es) / (1 + es)) ** (e / 2)

    sign = 1 if latc > 0 else -1
    b = sqrt(1 + e2 * cos(latc) ** 4 / (1 - e2))
    a_over_b = a * kc * sqrt(1 - e2) / (1 - e2 * sin(latc) ** 2)
    d = b * sqrt(1 - e2) / (cos(latc) * sqrt(1 - e2 * sin(latc) ** 2))
    root = sqrt(d * d - 1) if d > 1 else mpf(0)
    ff = d + sign * root
    h = ff * t_of(latc) ** b
    g = (ff - 1 / ff) / 2
    gamma0 = asin(sin(alpha) / d)
    centre_turn = atan2(g * sin(alpha) / d, fabs(cos(alpha)))
    centre_u = sign * atan2(root, fabs(cos(alpha)))

    for line in sys.stdin:
        fields = line.split()
        if len(fields) < 2:
            continue
        lon, lat = radians(fields[0]), radians(fields[1])
        q = h / t_of(lat) ** b
        s = (q - 1 / q) / 2
        t = (q + 1 / q) / 2
        b_lambda = b * half_turn(lon - lonc) + centre_turn
        v_ = sin(b_lambda)
        u_ = (s * sin(gamma0) - v_ * cos(gamma0)) / t
        v = a_over_b * log((1 - u_) / (1 + u_)) / 2
        turn = atan2(s * cos(gamma0) + v_ * sin(gamma0), cos(b_lambda))
        u = a_over_b * (centre_u + half_turn(turn - centre_u))
        if variant == "B":
            u -= a_over_b * centre_u
        easting = v * cos(gammac) + u * sin(gammac) + x0
        northing = u * cos(gammac) - v * sin(gammac) + y0
        print("%.6f %.6f" % (float(easting), float(northing)))


if __name__ == "__main__":
    main()
