"""Converts the example point file with templates of each DXF version that ezdxf makes
here, each with entities, a group, an extension dictionary, a sort table and a paper
space entity of its own, as a 2D and as a 3D polyline, and reads every drawing back
with readers no one here wrote: ezdxf's strict reader and audit, GDAL's ogrinfo and
LibreCAD, and a handle and pointer check of its own.

usage: read_back_versions.py SORVANE_CONVERT EXAMPLES_DIR
"""

import io
import logging
import os
import re
import subprocess
import sys
import tempfile
import zlib
from pathlib import Path

import ezdxf

sys.path.insert(0, str(Path(__file__).resolve().parent))
from read_back_example import check_ogrinfo, close, fail, point_rows  # noqa: E402

VERSIONS = ["R12", "R2000", "R2004", "R2010", "R2018"]
# Pointers, and the handles of extended data (1005) and of the ACDSDATA section (320).
POINTER_CODES = set(range(330, 370)) | set(range(390, 400)) | {320, 1005}
SUBCLASSES = {
    "POINT": lambda three_d: ["AcDbEntity", "AcDbPoint"],
    "POLYLINE": lambda three_d: ["AcDbEntity", "AcDb3dPolyline" if three_d else "AcDb2dPolyline"],
    "VERTEX": lambda three_d: ["AcDbEntity", "AcDbVertex",
                               "AcDb3dPolylineVertex" if three_d else "AcDb2dVertex"],
    "SEQEND": lambda three_d: ["AcDbEntity"],
    # A label's; a TEXT's alignment has a marker of its own.
    "TEXT": lambda three_d: ["AcDbEntity", "AcDbText", "AcDbText"],
}


def make_template(version, path):
    doc = ezdxf.new(version)
    msp = doc.modelspace()
    line = msp.add_line((0, 0), (10, 10))
    circle = msp.add_circle((5, 5), 2)
    msp.add_text("template")
    doc.layout("Layout1").add_line((0, 0), (1, 1))
    if version != "R12":
        # Objects that point at the template's entities, which the drawing leaves out.
        doc.groups.new("MEMBERS").extend([line, circle])
        line.new_extension_dict().add_xrecord("NOTE").extend([(1, "owned by the line")])
        msp.set_redraw_order({line.dxf.handle: "FF", circle.dxf.handle: "FE"})
    doc.saveas(path)


def read_with_ezdxf(path):
    """The strict reader's document, what it and the audit logged, and the audit."""
    stream = io.StringIO()
    handler = logging.StreamHandler(stream)
    logger = logging.getLogger("ezdxf")
    logger.addHandler(handler)
    logger.setLevel(logging.DEBUG)
    try:
        doc = ezdxf.readfile(str(path))
        auditor = doc.audit()
    finally:
        logger.removeHandler(handler)
    return doc, set(stream.getvalue().splitlines()), auditor


def audit_findings(auditor):
    return {e.message for e in auditor.errors + auditor.fixes}


def check_ezdxf(path, template_log, template_findings, rows, three_d):
    """ezdxf reads the drawing strictly, and neither it nor its audit finds anything the
    template did not already show."""
    doc, log, auditor = read_with_ezdxf(path)
    if log - template_log:
        fail("ezdxf logged for the drawing only: %s" % sorted(log - template_log))
    if audit_findings(auditor) - template_findings:
        fail("ezdxf audit: %s" % sorted(audit_findings(auditor) - template_findings))
    msp = doc.modelspace()
    points = msp.query("POINT")
    if len(points) != 1 or not close(tuple(points[0].dxf.location), (0, 0, 0)):
        fail("expected one POINT at the origin, got %d" % len(points))
    polylines = msp.query("POLYLINE")
    if len(polylines) != 1 or len(msp) != 2:
        fail("expected the POINT and one POLYLINE in model space, got %d entities" % len(msp))
    polyline = polylines[0]
    if polyline.is_3d_polyline != three_d:
        fail("the polyline is %s" % polyline.get_mode())
    # A 3D polyline's geometry keeps the heights; a 2D one at least holds them.
    vertices = list(polyline.points()) if three_d else [v.dxf.location for v in polyline.vertices]
    if len(vertices) != len(rows):
        fail("POLYLINE has %d vertices for %d rows" % (len(vertices), len(rows)))
    for number, (vertex, row) in enumerate(zip(vertices, rows), start=1):
        if not close(tuple(vertex), row):
            fail("vertex %d is %s, row is %s" % (number, tuple(vertex), row))


def records_of(path):
    """The drawing's records (type, section, groups after the type) and its $HANDSEED."""
    lines = path.read_text(encoding="ascii", errors="surrogateescape").splitlines()
    groups = [(int(lines[i]), lines[i + 1].strip()) for i in range(0, len(lines) - 1, 2)]
    records, section, seed = [], None, None
    for i, (code, value) in enumerate(groups):
        if code == 0:
            section = groups[i + 1][1] if value == "SECTION" else section
            records.append((value, section, []))
        elif section == "HEADER" and (code, value) == (9, "$HANDSEED"):
            seed = int(groups[i + 1][1], 16)
        elif records:
            records[-1][2].append((code, value))
    return records, seed


def handle_groups(kind, body):
    # A DIMSTYLE's handle is its 105: its 5 is the name of an arrow block.
    return [int(v, 16) for c, v in body if c == 105 or (c == 5 and kind != "DIMSTYLE")]


def own_handle(kind, body):
    return next(iter(handle_groups(kind, body)), None)


def check_handles(path, with_handles, three_d):
    """Every handle is unique, $HANDSEED is above all of them, no pointer dangles, and
    each written entity has its handle, owner and subclass markers. Returns the number
    of handles."""
    records, seed = records_of(path)
    handles = set()
    for kind, section, body in records:
        handle = own_handle(kind, body)
        if handle is not None and section != "HEADER":
            if handle in handles:
                fail("handle %X is used twice" % handle)
            handles.add(handle)
    largest = max(h for kind, s, body in records if s != "HEADER"
                  for h in handle_groups(kind, body))
    if seed is None or seed <= largest:
        fail("$HANDSEED %s is not above every handle (largest %X)" % (seed, largest))
    for kind, _, body in records:
        for code, value in body:
            if code in POINTER_CODES and int(value, 16) not in handles | {0}:
                fail("%s points with group %d at %s, which no object has" % (kind, code, value))
    if not with_handles:
        return len(handles)
    model_space = next(own_handle(kind, body) for kind, _, body in records
                       if kind == "BLOCK_RECORD" and (2, "*MODEL_SPACE") in
                       [(c, v.upper()) for c, v in body])
    owners = {"POINT": model_space, "POLYLINE": model_space, "TEXT": model_space}
    for kind, section, body in records:
        if section != "ENTITIES" or kind not in SUBCLASSES:
            continue
        owner = next(int(v, 16) for c, v in body if c == 330)
        if own_handle(kind, body) is None or owner != owners[kind]:
            fail("%s has no handle or is owned by %X" % (kind, owner))
        if kind == "POLYLINE":
            owners["VERTEX"] = owners["SEQEND"] = own_handle(kind, body)
        markers = [v for c, v in body if c == 100]
        if markers != SUBCLASSES[kind](three_d):
            fail("%s has the subclass markers %s" % (kind, markers))
    return len(handles)


def check_librecad(path, scratch, rows):
    out_dir = Path(scratch) / ("pdf-" + path.stem)
    out_dir.mkdir()
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    # LibreCAD hangs on a file it cannot read, hence the timeout.
    try:
        subprocess.run(["librecad", "dxf2pdf", "-a", "-t", str(out_dir), str(path)], env=env,
                       capture_output=True, timeout=60, check=False)
    except subprocess.TimeoutExpired:
        fail("LibreCAD did not turn %s into a PDF within a minute" % path.name)
    pdf = out_dir / (path.stem + ".pdf")
    if not pdf.is_file():
        fail("LibreCAD wrote no PDF for %s" % path.name)
    # The polyline is drawn as one line-to operation per segment.
    drawn = 0
    for stream in re.findall(rb"stream\r?\n(.*?)endstream", pdf.read_bytes(), re.S):
        try:
            drawn += len(re.findall(rb" l\n", zlib.decompress(stream)))
        except zlib.error:
            continue
    if drawn < len(rows) - 1:
        fail("LibreCAD drew %d lines for a polyline of %d vertices" % (drawn, len(rows)))


def main():
    converter, examples = sys.argv[1], Path(sys.argv[2])
    csv = examples / "survey-points.csv"
    rows = point_rows(csv)
    with tempfile.TemporaryDirectory(prefix="sorvane-versions-") as scratch:
        for version in VERSIONS:
            template = Path(scratch) / ("template-%s.txt" % version)
            make_template(version, template)
            _, template_log, template_audit = read_with_ezdxf(template)
            for three_d in (False, True):
                case = "%s%s" % (version, " --3d" if three_d else "")
                dxf_path = Path(scratch) / ("%s%s.dxf" % (version, "-3d" if three_d else ""))
                run = subprocess.run(
                    [converter, *(["--3d"] if three_d else []), "-t", str(template),
                     "-o", str(dxf_path), str(csv)], capture_output=True, text=True, check=False)
                if run.returncode != 0:
                    fail("%s: sorvane-convert failed (%d): %s" % (case, run.returncode, run.stderr))
                print(case + ":", flush=True)
                check_ezdxf(dxf_path, template_log, audit_findings(template_audit), rows, three_d)
                handles = check_handles(dxf_path, version != "R12", three_d)
                check_ogrinfo(dxf_path, rows)
                check_librecad(dxf_path, scratch, rows)
                print("  %d vertices and %d handles read back" % (len(rows), handles))


if __name__ == "__main__":
    main()
