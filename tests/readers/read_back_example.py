"""Converts the bundled example with sorvane-convert, with each bundled template, and
reads the drawing back with two DXF readers written elsewhere: ezdxf and GDAL's ogrinfo.

usage: read_back_example.py SORVANE_CONVERT EXAMPLES_DIR
"""

import math
import re
import subprocess
import sys
import tempfile
from pathlib import Path

import ezdxf
from ezdxf import recover


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def point_rows(csv_path):
    # The same rule as the converter: a line with a comma is a row.
    rows = []
    for line in csv_path.read_text(encoding="ascii").splitlines():
        if "," in line:
            rows.append(tuple(float(field) for field in line.split(",")[:3]))
    return rows


def close(a, b):
    return all(math.isclose(x, y, rel_tol=1e-12, abs_tol=1e-9) for x, y in zip(a, b))


def check_ezdxf(dxf_path, rows):
    doc, auditor = recover.readfile(str(dxf_path))
    if auditor.has_errors:
        fail("ezdxf recover found errors: %s" % [str(e.message) for e in auditor.errors])
    audit = doc.audit()
    if audit.has_errors:
        fail("ezdxf audit found errors: %s" % [str(e.message) for e in audit.errors])
    msp = doc.modelspace()
    points = msp.query("POINT")
    if len(points) != 1 or not close(tuple(points[0].dxf.location), (0, 0, 0)):
        fail("expected one POINT at the origin, got %d" % len(points))
    polylines = msp.query("POLYLINE")
    if len(polylines) != 1:
        fail("expected one POLYLINE, got %d" % len(polylines))
    vertices = [tuple(v.dxf.location) for v in polylines[0].vertices]
    if len(vertices) != len(rows):
        fail("POLYLINE has %d vertices for %d rows" % (len(vertices), len(rows)))
    for number, (vertex, row) in enumerate(zip(vertices, rows), start=1):
        if not close(vertex, row):
            fail("vertex %d is %s, row is %s" % (number, vertex, row))
    if polylines[0].dxf.layer != "0" or points[0].dxf.layer != "0":
        fail("entities are not on layer 0")


def check_ogrinfo(dxf_path, rows):
    run = subprocess.run(["ogrinfo", "-ro", "-al", str(dxf_path)],
                         capture_output=True, text=True, check=False)
    if run.returncode != 0 or "ERROR" in run.stderr or "ERROR" in run.stdout:
        fail("ogrinfo could not read the drawing:\n%s%s" % (run.stdout, run.stderr))
    lines = re.findall(r"LINESTRING Z \(([^)]*)\)", run.stdout)
    if len(lines) != 1:
        fail("ogrinfo found %d line strings, expected 1" % len(lines))
    coordinates = [tuple(float(v) for v in point.split()) for point in lines[0].split(",")]
    if len(coordinates) != len(rows):
        fail("ogrinfo's line string has %d points for %d rows" % (len(coordinates), len(rows)))
    for number, (point, row) in enumerate(zip(coordinates, rows), start=1):
        if not close(point, row):
            fail("ogrinfo point %d is %s, row is %s" % (number, point, row))


def main():
    converter, examples = sys.argv[1], Path(sys.argv[2])
    rows = point_rows(examples / "survey-points.csv")
    if len(rows) < 2:
        fail("the example holds too few rows")
    for template in ("PreData.txt", "PreData-R2000.txt", "PreData-R2018.txt"):
        with tempfile.TemporaryDirectory(prefix="sorvane-readers-") as scratch:
            dxf_path = Path(scratch) / "survey-points.dxf"
            run = subprocess.run(
                [converter, "-t", str(examples / template), "-o", str(dxf_path),
                 str(examples / "survey-points.csv")],
                capture_output=True, text=True, check=False)
            if run.returncode != 0 or not dxf_path.is_file():
                fail("sorvane-convert failed with %s (%d): %s"
                     % (template, run.returncode, run.stderr))
            check_ezdxf(dxf_path, rows)
            check_ogrinfo(dxf_path, rows)
        print("%s: ezdxf %s and ogrinfo read %d vertices back"
              % (template, ezdxf.__version__, len(rows)))


if __name__ == "__main__":
    main()
