#!/usr/bin/env python3
"""Exact transverse Mercator, to check the series of the reference tables far from the
central meridian.

The projection is the conformal map that takes the conformal latitude on the central meridian
to the meridian arc; continued into complex numbers it is exact at every point. From the
Gauss-Schreiber coordinates xi' + i eta' of the point, the complex latitude phi with that
conformal latitude is found by Newton's method, and the meridian arc is integrated to it along
a straight path by Gauss-Legendre quadrature.

usage: exact-tmerc.py a inverse-flattening k0 lon0 x0 y0 < "longitude latitude" lines
prints: easting northing (metres)
"""
import cmath
import math
import sys


def gauss_legendre(count):
    nodes, weights = [], []
    for i in range(1, count + 1):
        x = math.cos(math.pi * (i - 0.25) / (count + 0.5))
        for _ in range(100):
            p0, p1 = 1.0, x
            for k in range(2, count + 1):
                p0, p1 = p1, ((2 * k - 1) * x * p1 - (k - 1) * p0) / k
            derivative = count * (x * p1 - p0) / (x * x - 1)
            step = p1 / derivative
            x -= step
            if abs(step) < 1e-16:
                break
        nodes.append(x)
        weights.append(2 / ((1 - x * x) * derivative * derivative))
    return nodes, weights


NODES, WEIGHTS = gauss_legendre(40)


class ExactTransverseMercator:
    def __init__(self, a, inverse_flattening, k0, lon0, x0, y0):
        f = 1 / inverse_flattening
        self.a, self.e2 = a, f * (2 - f)
        self.e = math.sqrt(self.e2)
        self.k0, self.lon0, self.x0, self.y0 = k0, lon0, x0, y0

    def arc(self, phi, pieces=16):
        total = 0
        for piece in range(pieces):
            half = phi / pieces / 2
            middle = phi * (piece + 0.5) / pieces
            for x, w in zip(NODES, WEIGHTS):
                total += w * half * (1 - self.e2 * cmath.sin(middle + half * x) ** 2) ** -1.5
        return self.a * (1 - self.e2) * total

    def isometric(self, phi):
        return cmath.asinh(cmath.tan(phi)) - self.e * cmath.atanh(self.e * cmath.sin(phi))

    def latitude(self, chi):
        target = cmath.atanh(cmath.sin(chi))
        phi = chi
        for _ in range(50):
            slope = (1 - self.e2) / ((1 - self.e2 * cmath.sin(phi) ** 2) * cmath.cos(phi))
            step = (self.isometric(phi) - target) / slope
            phi -= step
            if abs(step) < 1e-17:
                break
        return phi

    def forward(self, lon, lat):
        phi = math.radians(lat)
        dlon = (math.radians(lon - self.lon0) + math.pi) % (2 * math.pi) - math.pi
        tau = math.sinh(math.asinh(math.tan(phi)) - self.e * math.atanh(self.e * math.sin(phi)))
        xi = math.atan2(tau, math.cos(dlon))
        eta = math.asinh(math.sin(dlon) / math.hypot(tau, math.cos(dlon)))
        w = self.arc(self.latitude(complex(xi, eta)))
        return self.x0 + self.k0 * w.imag, self.y0 + self.k0 * w.real


def main():
    projection = ExactTransverseMercator(*map(float, sys.argv[1:7]))
    for line in sys.stdin:
        if line.strip():
            lon, lat = map(float, line.split()[:2])
            print("%.6f %.6f" % projection.forward(lon, lat))


if __name__ == "__main__":
    main()
