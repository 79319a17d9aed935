"""Converts the example point file with templates that other programs wrote, and reads
every drawing back as read_back_versions.py reads its own: ezdxf's strict reader (nothing
logged and no audit finding the template did not already have), the handle and pointer
check, GDAL's ogrinfo and LibreCAD. The templates:

- LibreCAD 2.2's saves as DXF 2000 and DXF 2007 (templates/), whose soft pointers name
  nothing or are no handles at all;
- pstoedit 3.78's R14 drawing (templates/);
- Dia 0.97's R12 drawing (templates/) with a layer named ENTITIES and a text ENTITIES on
  it: the layer's name stands in the TABLES section, before the ENTITIES section;
- the drawing GDAL's ogr2ogr writes here;
- ezdxf's R2018 drawing with a 3D solid (its data in the ACDSDATA section) and a handle
  in extended data that names one of its entities.

Binary DXF templates as ezdxf writes them, text templates in UTF-16, and what is no
drawing at all (an empty file, the point file itself) are refused with
"PreData.txtファイルの形式が正しくありません", and an earlier drawing stays as it was.

How the files in templates/ were made: LibreCAD 2.2.0 (Debian 12) opened
library/elektro/transformer/t6.dxf of its own library and saved it as "Drawing Exchange
DXF 2000" and as "Drawing Exchange DXF 2007"; pstoedit 3.78 (Debian 12) converted, with
-f dxf_14, a PostScript page that strokes two lines and shows a text; Dia 0.97.3
(Debian 12) exported templates/dia-0.97-entities-layer.dia, a line on the layer
Background and a box and a text ENTITIES on the layer ENTITIES, with
"xvfb-run dia -n --export=dia-0.97-entities-layer.dxf --filter=dxf
dia-0.97-entities-layer.dia".

usage: read_back_other_writers.py SORVANE_CONVERT EXAMPLES_DIR
"""

import subprocess
import sys
import tempfile
from pathlib import Path

import ezdxf
from ezdxf.acis import api as acis
from ezdxf.render import forms

sys.path.insert(0, str(Path(__file__).resolve().parent))
from read_back_example import check_ogrinfo, fail, point_rows  # noqa: E402
from read_back_versions import (audit_findings, check_ezdxf, check_handles,  # noqa: E402
                                check_librecad, read_with_ezdxf)

TEMPLATES = Path(__file__).resolve().parent / "templates"
REFUSED = "PreData.txtファイルの形式が正しくありません"
EARLIER_DRAWING = b"an earlier drawing\r\n"


def convert(converter, template, csv, dxf_path):
    return subprocess.run([converter, "-t", str(template), "-o", str(dxf_path), str(csv)],
                          capture_output=True, text=True, check=False)


def gdal_template(scratch):
    csv = scratch / "shapes.csv"
    csv.write_text('id,WKT\n1,"LINESTRING (0 0,10 10)"\n2,"POINT (5 5)"\n', encoding="ascii")
    path = scratch / "gdal.dxf"
    subprocess.run(["ogr2ogr", "-f", "DXF", str(path), str(csv)], capture_output=True,
                   check=True)
    return path


def ezdxf_solid_template(scratch):
    doc = ezdxf.new("R2018")
    msp = doc.modelspace()
    acis.export_dxf(msp.add_3dsolid(), [acis.body_from_mesh(forms.cube())])
    line = msp.add_line((0, 0), (10, 10))
    doc.layers.get("0").set_xdata("SORVANE", [(1000, "names a line"), (1005, line.dxf.handle)])
    path = scratch / "ezdxf-solid.dxf"
    doc.saveas(path)
    return path


def templates_refused(scratch, examples):
    for version in ("R12", "R2000", "R2018"):
        doc = ezdxf.new(version)
        doc.modelspace().add_line((0, 0), (1, 1))
        path = scratch / ("binary-%s.dxf" % version)
        doc.saveas(path, fmt="bin")
        yield path
    text = (examples / "PreData.txt").read_text(encoding="ascii")
    for name, encoding in (("utf-16", "utf-16"), ("utf-16-le", "utf-16-le"),
                           ("utf-32", "utf-32")):
        path = scratch / ("%s.txt" % name)
        path.write_bytes(text.encode(encoding))
        yield path
    empty = scratch / "empty.txt"
    empty.write_bytes(b"")
    yield empty
    yield examples / "survey-points.csv"


def main():
    converter, examples = sys.argv[1], Path(sys.argv[2])
    csv = examples / "survey-points.csv"
    rows = point_rows(csv)
    with tempfile.TemporaryDirectory(prefix="sorvane-writers-") as scratch_name:
        scratch = Path(scratch_name)
        templates = sorted(TEMPLATES.glob("*.dxf"))
        templates += [gdal_template(scratch), ezdxf_solid_template(scratch)]
        for template in templates:
            dxf_path = scratch / (template.stem + "-drawing.dxf")
            run = convert(converter, template, csv, dxf_path)
            if run.returncode != 0:
                fail("%s: sorvane-convert failed (%d): %s"
                     % (template.name, run.returncode, run.stderr))
            template_doc, template_log, template_audit = read_with_ezdxf(template)
            check_ezdxf(dxf_path, template_log, audit_findings(template_audit), rows, False)
            # An R12 drawing has no handles to check.
            with_handles = template_doc.dxfversion > "AC1009"
            handles = check_handles(dxf_path, True, False) if with_handles else 0
            check_ogrinfo(dxf_path, rows)
            check_librecad(dxf_path, scratch, rows)
            print("%s: %d vertices and %d handles read back" % (template.name, len(rows), handles))

        for template in templates_refused(scratch, examples):
            dxf_path = scratch / "earlier.dxf"
            dxf_path.write_bytes(EARLIER_DRAWING)
            run = convert(converter, template, csv, dxf_path)
            if run.returncode != 1 or run.stderr.strip() != "%s: %s" % (csv, REFUSED):
                fail("%s: expected the template refused, got %d: %s%s"
                     % (template.name, run.returncode, run.stdout, run.stderr))
            if dxf_path.read_bytes() != EARLIER_DRAWING:
                fail("%s: the earlier drawing was changed" % template.name)
            print("%s: refused" % template.name)


if __name__ == "__main__":
    main()
