"""Measures the peak memory of sorvane-convert with the templates of DXF R2018 that cost
it the most within the cap on a template's size, and holds it to what the README
promises: less than 256 MiB, and beyond what a run with the smallest template takes, at
most three and a half times the template's size.

- handles: 64 MiB of the smallest records with a handle each, their lines ended by LF,
  as many as fit: each costs the held text (CR LF after every line) and a slot in the
  table of handles.
- growth: 64 MiB with CR LF line ends, 200 empty pointers in the HEADER that the drawing
  nulls to 0, one byte longer each, and comments; the drawing's head grows past the
  template's.

usage: template_memory.py SORVANE_CONVERT
"""

import subprocess
import sys
import tempfile
from pathlib import Path

CAP = 64 << 20
MEBIBYTE = 1 << 20


def lines(end, *values):
    return "".join(value + end for value in values)


def template(kind, end):
    """A template of DXF R2018 just within the cap, its bulk made by `kind`."""
    head = lines(end, "  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1032",
                 "  9", "$HANDSEED", "  5", "FFFFFFF")
    tables = lines(end, "  0", "ENDSEC", "  0", "SECTION", "  2", "TABLES", "  0", "TABLE",
                   "  2", "BLOCK_RECORD", "  5", "1", "330", "0", "  0", "BLOCK_RECORD",
                   "  5", "1F", "330", "1", "  2", "*Model_Space", "  0", "ENDTAB", "  0",
                   "ENDSEC", "  0", "SECTION", "  2", "ENTITIES", "  0", "ENDSEC", "  0",
                   "SECTION", "  2", "OBJECTS")
    tail = lines(end, "  0", "ENDSEC", "  0", "EOF")
    room = CAP - len(head) - len(tables) - len(tail)
    header, objects = "", []
    if kind == "handles":
        # A group 0 without a type and a group 5: the fewest bytes that give an object.
        handle = 0x20
        while room > 0:
            record = lines(end, "0", "", "5", "%X" % handle)
            if len(record) > room:
                break
            objects.append(record)
            room -= len(record)
            handle += 1
    else:
        pointers = lines(end, "  9", "$CMATERIAL", "347", "") * 200
        comment = lines(end, "999", "c" * 250)
        header = pointers + comment * ((room - len(pointers)) // len(comment))
    return head + header + tables + "".join(objects) + tail


def peak_kib(converter, template_path, scratch):
    """The peak resident memory of one conversion, in KiB."""
    run = subprocess.run(["/usr/bin/time", "-f", "%M", converter, "-t", str(template_path),
                          "-o", str(scratch / "drawing.dxf"), str(scratch / "points.csv")],
                         capture_output=True, text=True, check=False)
    if run.returncode != 0:
        sys.exit("%s: sorvane-convert failed (%d): %s"
                 % (template_path.name, run.returncode, run.stderr))
    return int(run.stderr.strip().splitlines()[-1])


def main():
    converter = sys.argv[1]
    with tempfile.TemporaryDirectory(prefix="sorvane-memory-") as scratch_name:
        scratch = Path(scratch_name)
        (scratch / "points.csv").write_text("1,2,3\n", encoding="ascii")
        smallest = scratch / "smallest.txt"
        smallest.write_bytes(b"  0\r\nSECTION\r\n  2\r\nENTITIES\r\n")
        base = peak_kib(converter, smallest, scratch)
        failed = False
        for kind, end in (("handles", "\n"), ("growth", "\r\n")):
            path = scratch / (kind + ".txt")
            path.write_bytes(template(kind, end).encode("ascii"))
            size = path.stat().st_size
            peak = peak_kib(converter, path, scratch)
            ratio = (peak - base) * 1024 / size
            print("%s: %.1f MiB template, peak %.1f MiB, %.2f times its size beyond %.1f MiB"
                  % (kind, size / MEBIBYTE, peak / 1024, ratio, base / 1024))
            if peak * 1024 >= 256 * MEBIBYTE or ratio > 3.5:
                print("%s: beyond the promise" % kind)
                failed = True
            path.unlink()
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
