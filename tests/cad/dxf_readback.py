"""Reads a DXF file written by the export back with ezdxf and checks that
every line and text, with its position, height, width factor and alignment,
the text style's big font and the Chinese texts survive the round trip.

usage: dxf_readback.py <cad_dxf_sample executable> <work directory>
"""
import json
import os
import subprocess
import sys

try:
    import ezdxf
except ImportError:
    print("ezdxf is not installed; skipping")
    sys.exit(77)

HEADINGS = ["项目", "底宽", "边坡", "水深", "糙率", "纵坡1\\I", "面积", "湿周",
            "水力半径", "谢才系数", "流量", "流速"]

# (cell text, drawn text) for columns 1 to 11 of each computed row.
COMPUTED = {
    2: [("2", "2.00"), ("1.5", "1.50"), ("0.8", "0.80"), ("0.014", "0.014"),
        ("0.0004", "0.0004"), ("1.84", "1.84"), ("4.03", "4.03"), ("0.457", "0.46"),
        ("42.6", "42.60"), ("2.85", "2.85"), ("1.55", "1.55")],
    5: [("5", "5.00"), ("12", "12.00"), ("1.25", "1.25"), ("0.025", "0.025"),
        ("0.0012", "0.0012"), ("12345.678", "12345.68"), ("20.1", "20.10"),
        ("1.3", "1.30"), ("38.07", "38.07"), ("1000", "1000.00"), ("0.08", "0.08")],
    9: [("9", "9.00"), ("3", "3.00"), ("2", "2.00"), ("0.0225", "0.022"),
        ("0.002", "0.002"), ("6", "6.00"), ("7", "7.00"), ("0.86", "0.86"),
        ("40", "40.00"), ("11", "11.00"), ("不是数字", "不是数字")],
}
# Inputs without a velocity: not computed, never drawn.
UNCOMPUTED = {7: ["4", "1", "1", "0.02", "0.001"]}
MARKED_ROW = 3


def write_cells(path, headings):
    rows = [list(headings)]
    for row in range(1, 11):
        cells = [str(row)] + [""] * 11
        if row == MARKED_ROW:
            cells[0] += "  >>>"
        for column, (text, _) in enumerate(COMPUTED.get(row, []), start=1):
            cells[column] = text
        for column, text in enumerate(UNCOMPUTED.get(row, []), start=1):
            cells[column] = text
        rows.append(cells)
    with open(path, "w", encoding="utf-8") as out:
        json.dump(rows, out, ensure_ascii=False)


def as_drawn(text):
    """A cell text as a drawing holds it: one line, every character one that
    a \\U+XXXX escape can carry."""
    out = ""
    for c in text:
        if ord(c) < 0x20 or 0x7F <= ord(c) <= 0x9F or c in "\u2028\u2029":
            out += " "
        elif ord(c) > 0xFFFF:
            out += "\uFFFD"
        else:
            out += c
    return out


def expected_texts(headings):
    n = len(COMPUTED)
    top = 16 * (n + 2)
    texts = [(as_drawn(headings[j]), 20 * (j - 1) + 29, top - 10, 6) for j in range(1, 12)]
    texts.append(("水利要素表", 130, top + 10, 15))
    pending = n
    for row in sorted(COMPUTED):
        y = 16 * (pending + 1) - 10
        texts += [(drawn, 20 * (j - 1) + 30, y, 5)
                  for j, (_, drawn) in enumerate(COMPUTED[row], start=1)]
        pending -= 1
    return texts


def expected_lines():
    top = 16 * (len(COMPUTED) + 2)
    lines = [(20, y, 240, y) for y in range(16, top + 1, 16)]
    lines += [(x, 16, x, top) for x in range(20, 241, 20)]
    return lines


def export(sample, directory, name, headings):
    cells = os.path.join(directory, name + ".json")
    dxf = os.path.join(directory, name + ".dxf")
    write_cells(cells, headings)
    result = subprocess.run([sample, cells, dxf], capture_output=True, text=True)
    check(result.returncode == 0, f"export failed: {result.stdout}{result.stderr}")
    return ezdxf.readfile(dxf)


failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def check_drawing(doc, headings):
    check(doc.dxfversion == "AC1009", f"version {doc.dxfversion}")
    check(doc.header.get("$DWGCODEPAGE") == "ANSI_936",
          f"code page {doc.header.get('$DWGCODEPAGE')}")
    check(doc.encoding == "gbk", f"encoding {doc.encoding}")
    check(len(doc.audit().errors) == 0, "ezdxf audit found errors")

    entities = list(doc.modelspace())
    lines = [e for e in entities if e.dxftype() == "LINE"]
    texts = [e for e in entities if e.dxftype() == "TEXT"]
    check(len(lines) + len(texts) == len(entities), "unexpected entity types")

    got_lines = [(e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y) for e in lines]
    check(got_lines == expected_lines(), f"lines {got_lines}")
    check(all(e.dxf.start.z == 0 and e.dxf.end.z == 0 for e in lines), "line z not 0")

    expected = expected_texts(headings)
    check(len(texts) == len(expected), f"{len(texts)} texts, expected {len(expected)}")
    for text, (content, x, y, height) in zip(texts, expected):
        where = f"text {content!r}"
        got = ezdxf.decode_dxf_unicode(text.dxf.text)
        check(got == content, f"{where}: read back as {got!r}")
        check(tuple(text.dxf.align_point) == (x, y, 0), f"{where}: at {text.dxf.align_point}")
        check(tuple(text.dxf.insert) == (x, y, 0), f"{where}: inserted at {text.dxf.insert}")
        check(text.dxf.height == height, f"{where}: height {text.dxf.height}")
        check(text.dxf.width == 0.7, f"{where}: width factor {text.dxf.width}")
        check((text.dxf.halign, text.dxf.valign) == (1, 2),
              f"{where}: alignment {text.dxf.halign}/{text.dxf.valign}")
        style = doc.styles.get(text.dxf.style)
        check(style is not None and style.dxf.bigfont == "hztxt.shx",
              f"{where}: style {text.dxf.style} without the big font")
    check(not any(">>>" in t.dxf.text or "项目" in t.dxf.text for t in texts),
          "column 0 was drawn")


def main():
    sample, directory = sys.argv[1], sys.argv[2]
    os.makedirs(directory, exist_ok=True)
    check_drawing(export(sample, directory, "table", HEADINGS), HEADINGS)
    # A character GBK lacks comes back from its \U+ escape.
    unusual = list(HEADINGS)
    unusual[1] = "底宽ə"
    check_drawing(export(sample, directory, "unusual", unusual), unusual)
    # Texts that would break the file or be misread: line breaks and control
    # characters, characters beyond U+FFFF, typed escapes, the euro sign and
    # private-use characters that GBK readers disagree on.
    hostile = list(HEADINGS)
    hostile[1] = "底宽\n(m)"
    hostile[2] = "边坡\r\n1:m\t\x00\x1b\x7f\x85"
    hostile[3] = "水深😀 h"
    hostile[4] = "糙率\u2028n\u2029"
    hostile[5] = "\\U+0041 \\M+1 纵坡1\\I"
    hostile[6] = "面积€\ue000"
    hostile[7] = "\r"
    check_drawing(export(sample, directory, "hostile", hostile), hostile)
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("DXF read back with ezdxf: all lines and texts as drawn")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
