#!/usr/bin/env python3
"""Writes data/NSLS-BM.spct, the delivered spectrum of the incident beam.

The beam is that of a synchrotron bending magnet with a critical photon energy of 7.1 keV.
The photon flux per unit wavelength is proportional to G1(y) / lambda, where
y = lambda_c / lambda, lambda_c = 12.3984244 / 7.1 Angstrom and

    G1(y) = y * integral_y^inf K_{5/3}(t) dt.

The integral of the modified Bessel function is computed through

    integral_y^inf K_nu(t) dt = integral_0^inf exp(-y cosh u) cosh(nu u) / cosh u du,

whose integrand is smooth and falls off doubly exponentially, so the trapezoidal rule on a
fine grid converges very fast. The spectrum is sampled from 0.1 to 3.0 Angstrom in steps of
0.01 Angstrom, normalised to a maximum of 1 and written exactly as the program's own writer
writes a spectrum file (CR LF line ends, numbers as the program's number formatter prints them
at 8 decimals), so reading the file and saving it again gives the same bytes.

Usage: gen_nsls_spectrum.py [OUTPUT]   (default: data/NSLS-BM.spct beside this script's folder)
"""

import math
import os
import sys

HC_KEV_ANGSTROM = 12.3984244
CRITICAL_ENERGY_KEV = 7.1
LAMBDA_C = HC_KEV_ANGSTROM / CRITICAL_ENERGY_KEV

FIRST_WAVELENGTH = 0.1
WAVELENGTH_STEP = 0.01
SAMPLE_COUNT = 291  # 0.1 .. 3.0 Angstrom

NAME = "NSLS bending magnet, Ec = 7.1 keV"
DECIMALS = 8

# Quadrature: step in u, and the integrand is dropped once exp(-y cosh u) is below this.
QUAD_STEP = 0.005
EXPONENT_CUTOFF = 745.0  # exp(-745) is the smallest positive double


def integral_k(nu, y):
    """integral_y^inf K_nu(t) dt for y > 0, by the trapezoidal rule in u."""
    total = 0.5 * math.exp(-y)  # u = 0: cosh(0) = 1, half weight
    k = 1
    while True:
        u = k * QUAD_STEP
        exponent = y * math.cosh(u)
        if exponent - (nu - 1.0) * u > EXPONENT_CUTOFF:
            break
        total += math.exp(-exponent) * math.cosh(nu * u) / math.cosh(u)
        k += 1
    return total * QUAD_STEP


def g1(y):
    return y * integral_k(5.0 / 3.0, y)


def format_number(value, decimals=DECIMALS):
    """The program's number formatter: %g outside [1e-4, 1e7], else fixed without trailing zeros."""
    magnitude = abs(value)
    if magnitude > 1e7 or magnitude < 1e-4:
        return "%g" % value
    text = "%.*f" % (decimals, value)
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    return text


def check_g1():
    """Compares G1 with its published values; stops the script when the quadrature is off."""
    checks = []
    # G1(1) = 0.6514 (tabulated synchrotron function).
    checks.append(("G1(1)", g1(1.0), 0.6514, 5e-5))
    # The maximum, about 0.918 near y = 0.29, found by a scan.
    best_y, best = max(((y / 1000.0, g1(y / 1000.0)) for y in range(200, 400)), key=lambda p: p[1])
    checks.append(("max G1", best, 0.918, 5e-4))
    checks.append(("y at max G1", best_y, 0.29, 0.01))
    # Asymptotics: for large y, G1(y) ~ sqrt(pi y / 2) exp(-y) (1 + 55 / (72 y)).
    y = 40.0
    asymptotic = math.sqrt(math.pi * y / 2.0) * math.exp(-y) * (1.0 + 55.0 / (72.0 * y))
    checks.append(("G1(40) / asymptotic", g1(y) / asymptotic, 1.0, 1e-3))
    failed = False
    for label, value, expected, tolerance in checks:
        ok = abs(value - expected) <= tolerance
        failed = failed or not ok
        print("%-22s %.6f (expected %.4f)%s" % (label, value, expected, "" if ok else "  FAILED"),
              file=sys.stderr)
    if failed:
        sys.exit("G1 does not match its known values")


def spectrum():
    wavelengths = [FIRST_WAVELENGTH + i * WAVELENGTH_STEP for i in range(SAMPLE_COUNT)]
    flux = [g1(LAMBDA_C / w) / w for w in wavelengths]
    peak = max(flux)
    return wavelengths, [f / peak for f in flux]


def spct_text(name, wavelengths, intensities):
    lines = ["Name: " + name, "! Wavelength(A)\tIntensity"]
    for w, i in zip(wavelengths, intensities):
        lines.append(format_number(w) + "\t" + format_number(i))
    return "".join(line + "\r\n" for line in lines)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "NSLS-BM.spct")
    check_g1()
    wavelengths, intensities = spectrum()
    with open(output, "wb") as f:
        f.write(spct_text(NAME, wavelengths, intensities).encode("ascii"))
    print("wrote %d samples to %s" % (len(wavelengths), output), file=sys.stderr)


if __name__ == "__main__":
    main()
