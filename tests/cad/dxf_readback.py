"""Reads a DXF file written by the export back with ezdxf and checks that
every line and text, with its position, height, width factor and alignment,
the text style's big font and the Chinese texts survive the round trip; that
every entity sits on a named layer declared with its colour, and that the
header's extent holds every entity.

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

# Columns 1 to 11 of each computed row; without a table to format them, each
# cell shows, and is drawn as, its text.
COMPUTED = {
    2: ["2", "1.5", "0.8", "0.014", "0.0004", "1.84", "4.03", "0.457", "42.6", "2.85", "1.55"],
    5: ["5", "12", "1.25", "0.025", "0.0012", "12345.678", "20.1", "1.3", "38.07", "1000",
        "0.08"],
    9: ["9", "3", "2", "0.0225", "0.002", "6", "7", "0.86", "40", "11", "不是数字"],
}
# The layers of each drawing with their colours (AutoCAD Color Index).
TABLE_LAYERS = {"表格线": 7, "文字": 7}
SECTION_LAYERS = {"断面": 7, "水面": 5, "正常水深": 6, "临界水深": 1, "标注": 3, "文字": 7}
SECTION = ["3", "2", "1.5", "0.94", "0.9334", "0.4183"]
# Inputs without a velocity: not computed, never drawn.
UNCOMPUTED = {7: ["4", "1", "1", "0.02", "0.001"]}
MARKED_ROW = 3


def write_cells(path, headings):
    rows = [list(headings)]
    for row in range(1, 11):
        cells = [str(row)] + [""] * 11
        if row == MARKED_ROW:
            cells[0] += "  >>>"
        for column, text in enumerate(COMPUTED.get(row, []), start=1):
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
                  for j, drawn in enumerate(COMPUTED[row], start=1)]
        pending -= 1
    return texts


def expected_lines():
    top = 16 * (len(COMPUTED) + 2)
    lines = [(20, y, 240, y) for y in range(16, top + 1, 16)]
    lines += [(x, 16, x, top) for x in range(20, 241, 20)]
    return lines


def export(sample, directory, name, headings=None):
    """The table with `headings`, or without them the sample section."""
    dxf = os.path.join(directory, name + ".dxf")
    if headings is None:
        arguments = ["section"] + SECTION
    else:
        arguments = [os.path.join(directory, name + ".json")]
        write_cells(arguments[0], headings)
    result = subprocess.run([sample] + arguments + [dxf], capture_output=True, text=True)
    check(result.returncode == 0, f"export failed: {result.stdout}{result.stderr}")
    return ezdxf.readfile(dxf)


failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def check_layers_and_extent(doc, layers):
    # ezdxf adds Defpoints itself on reading.
    declared = {layer.dxf.name: layer.dxf.color for layer in doc.layers
                if layer.dxf.name != "Defpoints"}
    check(declared == dict(layers, **{"0": 7}), f"layers {declared}")
    entities = list(doc.modelspace())
    on = {e.dxf.layer for e in entities}
    check(on == set(layers), f"entities on layers {on}")
    check(all(e.dxf.color == 256 for e in entities), "an entity's colour is not by layer")
    low, high = doc.header["$EXTMIN"], doc.header["$EXTMAX"]
    view = doc.viewports.get("*Active")[0].dxf
    check(low[0] <= view.center[0] <= high[0] and low[1] <= view.center[1] <= high[1]
          and view.height >= high[1] - low[1], f"opens on {view.center}, {view.height} high")
    points = [p for e in entities for p in
              ((e.dxf.start, e.dxf.end) if e.dxftype() == "LINE" else (e.dxf.align_point,))]
    # Every entity within, and no side beyond half a text's width (under 30).
    gaps = (min(p.x for p in points) - low[0], min(p.y for p in points) - low[1],
            high[0] - max(p.x for p in points), high[1] - max(p.y for p in points))
    check(all(0 <= gap < 30 for gap in gaps), f"extent {low}..{high}, gaps {gaps}")


def check_drawing(doc, headings):
    check(doc.dxfversion == "AC1009", f"version {doc.dxfversion}")
    check_layers_and_extent(doc, TABLE_LAYERS)
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
    check_layers_and_extent(export(sample, directory, "section"), SECTION_LAYERS)
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("DXF read back with ezdxf: all lines and texts as drawn, on their layers, "
              "within the extent")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
