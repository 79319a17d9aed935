"""Converts the survey example written as Japanese survey programs write it (a header
line 点名,X,Y,Z, then a name, the northing, the easting and Z), with --columns
name,n,e,z --skip-lines 1 --closed --labels, into drawings of R12 (without a code page,
and with ANSI_932, another current layer and a text height), R2000 (ANSI_1252) and
R2018, and reads each back with readers no one here wrote: ezdxf's strict reader and
audit, GDAL's ogrinfo, and the handle and pointer check. The vertices must be the
example's X, Y and Z, the polyline closed, and each point labelled with its name at its
place on the template's current layer. The same file in CP932, and separated by tabs,
must give the same drawings byte for byte.

usage: read_back_layouts.py SORVANE_CONVERT EXAMPLES_DIR
"""

import re
import subprocess
import sys
import tempfile
from pathlib import Path

import ezdxf

sys.path.insert(0, str(Path(__file__).resolve().parent))
from read_back_example import close, fail, point_rows  # noqa: E402
from read_back_versions import audit_findings, check_handles, read_with_ezdxf  # noqa: E402

OPTIONS = ["--columns", "name,n,e,z", "--skip-lines", "1", "--closed", "--labels"]


def survey_lines(examples):
    """The example's rows as a survey program writes them, and each point's name: every
    fifth a Japanese one."""
    lines, names = ["点名,X,Y,Z"], []
    for number, line in enumerate((examples / "survey-points.csv").read_text().splitlines(), 1):
        x, y, z = line.split(",")[:3]
        names.append(("境界%d" if number % 5 == 0 else "P%d") % number)
        lines.append(",".join([names[-1], y, x, z]))
    return lines, names


def write_survey(path, lines, encoding, separator=","):
    text = "".join(line.replace(",", separator) + "\r\n" for line in lines)
    path.write_bytes(text.encode(encoding))


def make_japanese_r12(path):
    doc = ezdxf.new("R12")
    doc.layers.add("POINTS")
    doc.header["$CLAYER"] = "POINTS"
    doc.header["$TEXTSIZE"] = 1.5
    doc.encoding = "cp932"  # ezdxf writes $DWGCODEPAGE from it
    doc.saveas(path)


def escaped(name):
    """A name as a drawing whose code page does not hold it keeps it."""
    return "".join(c if ord(c) < 0x80 else "\\U+%04X" % ord(c) for c in name)


def check_ezdxf(path, plain, rows, names, layer, height, three_d):
    """ezdxf reads the drawing strictly and finds nothing it did not find in `plain`,
    the drawing of the same template without options."""
    doc, log, auditor = read_with_ezdxf(path)
    _, plain_log, plain_audit = read_with_ezdxf(plain)
    if log - plain_log:
        fail("ezdxf logged for the drawing only: %s" % sorted(log - plain_log))
    if audit_findings(auditor) - audit_findings(plain_audit):
        fail("ezdxf audit: %s" % sorted(audit_findings(auditor) - audit_findings(plain_audit)))
    msp = doc.modelspace()
    polyline = msp.query("POLYLINE")[0]
    if not polyline.is_closed or polyline.is_3d_polyline != three_d:
        fail("the polyline is %s, closed %s" % (polyline.get_mode(), polyline.is_closed))
    vertices = [tuple(v.dxf.location) for v in polyline.vertices]
    if len(vertices) != len(rows) or not all(close(v, r) for v, r in zip(vertices, rows)):
        fail("the vertices are not the rows' X, Y and Z: %s" % vertices[:3])
    texts = msp.query("TEXT")
    points = msp.query("POINT")[1:]  # after the one at the origin
    if len(texts) != len(rows) or len(points) != len(rows):
        fail("%d labels and %d points for %d rows" % (len(texts), len(points), len(rows)))
    for text, point, row, name in zip(texts, points, rows, names):
        # Drawings before R2007 keep what their code page cannot hold as \U+XXXX.
        read = text.dxf.text if doc.dxfversion >= "AC1021" else ezdxf.decode_dxf_unicode(text.dxf.text)
        if read != name or not close(tuple(text.dxf.insert), row) or not close(tuple(point.dxf.location), row):
            fail("label %r at %s, point at %s, for %s at %s"
                 % (read, tuple(text.dxf.insert), tuple(point.dxf.location), name, row))
        if text.dxf.layer != layer or point.dxf.layer != layer or not close((text.dxf.height,), (height,)):
            fail("label %s on layer %s, height %s" % (name, text.dxf.layer, text.dxf.height))


def check_ogrinfo(path, rows, names, utf8):
    # GDAL 3.6 reads the text of R2007 and newer in the code page of $DWGCODEPAGE too,
    # not in UTF-8 as those versions keep it (ezdxf's own R2018 drawings alike), unless
    # told; it leaves "\U+XXXX" as it stands.
    encoding = ["--config", "DXF_ENCODING", "UTF-8"] if utf8 else []
    run = subprocess.run(["ogrinfo", *encoding, "-ro", "-al", str(path)],
                         capture_output=True, text=True, check=False)
    if run.returncode != 0 or "ERROR" in run.stderr or "ERROR" in run.stdout:
        fail("ogrinfo could not read the drawing:\n%s%s" % (run.stdout, run.stderr))
    line = re.findall(r"LINESTRING Z \(([^)]*)\)", run.stdout)
    # A closed polyline comes back with its first point again at its end.
    coordinates = [tuple(float(v) for v in p.split()) for p in line[0].split(",")] if line else []
    expected = rows + rows[:1]
    if len(coordinates) != len(expected) or not all(close(c, r) for c, r in zip(coordinates, expected)):
        fail("ogrinfo's line string is %s" % coordinates[:3])
    labels = re.findall(r"Text \(String\) = (.*)\n(?:.*\n)*?\s*POINT Z \(([^)]*)\)", run.stdout)
    if len(labels) != len(rows):
        fail("ogrinfo found %d labels for %d rows" % (len(labels), len(rows)))
    for (text, place), row, name in zip(labels, rows, names):
        if text != name or not close(tuple(float(v) for v in place.split()), row):
            fail("ogrinfo's label %r at %s, for %s at %s" % (text, place, name, row))


def main():
    converter, examples = sys.argv[1], Path(sys.argv[2])
    rows = point_rows(examples / "survey-points.csv")
    lines, names = survey_lines(examples)
    with tempfile.TemporaryDirectory(prefix="sorvane-layouts-") as scratch:
        scratch = Path(scratch)
        survey = scratch / "survey.csv"
        write_survey(survey, lines, "utf-8")
        others = {"CP932": (scratch / "survey-cp932.csv", []), "tabs": (scratch / "survey-tabs.csv", ["--separator", "tab"])}
        write_survey(others["CP932"][0], lines, "cp932")
        write_survey(others["tabs"][0], lines, "utf-8", "\t")
        japanese_r12 = scratch / "PreData-932.txt"
        make_japanese_r12(japanese_r12)
        # template, its current layer and text height, how it keeps the names (as they
        # are, in UTF-8, or escaped), whether it has handles (None: none at all, False:
        # R12's), a 3D polyline
        cases = [
            (examples / "PreData.txt", "0", 0.2, "escaped", None, False),
            (japanese_r12, "POINTS", 1.5, "as they are", False, False),
            (examples / "PreData-R2000.txt", "0", 2.5, "escaped", True, False),
            (examples / "PreData-R2018.txt", "0", 2.5, "UTF-8", True, False),
            (examples / "PreData-R2018.txt", "0", 2.5, "UTF-8", True, True),
        ]
        for template, layer, height, kept, with_handles, three_d in cases:
            case = template.name + (" --3d" if three_d else "")
            options = OPTIONS + (["--3d"] if three_d else []) + ["-t", str(template)]
            drawing = scratch / "survey.dxf"
            run = subprocess.run([converter, *options, "-o", str(drawing), str(survey)],
                                 capture_output=True, text=True, check=False)
            if run.returncode != 0:
                fail("%s: sorvane-convert failed (%d): %s" % (case, run.returncode, run.stderr))
            plain = scratch / "plain.dxf"
            subprocess.run([converter, "-t", str(template), "-o", str(plain), str(examples / "survey-points.csv")],
                           capture_output=True, check=True)
            print(case + ":", flush=True)
            check_ezdxf(drawing, plain, rows, names, layer, height, three_d)
            handles = 0 if with_handles is None else check_handles(drawing, with_handles, three_d)
            check_ogrinfo(drawing, rows, [escaped(n) for n in names] if kept == "escaped" else names,
                          kept == "UTF-8")
            for other, (path, extra) in others.items():
                again = scratch / "again.dxf"
                subprocess.run([converter, *options, *extra, "-o", str(again), str(path)],
                               capture_output=True, check=True)
                if again.read_bytes() != drawing.read_bytes():
                    fail("%s: the survey file in %s gives another drawing" % (case, other))
            print("  %d vertices, %d labels and %d handles read back" % (len(rows), len(names), handles))


if __name__ == "__main__":
    main()
