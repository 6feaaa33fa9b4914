"""Renders a DXF file written by the export to a PNG, for looking at it.

usage: render_dxf.py <in.dxf> <out.png>

The drawing names AutoCAD's SHX fonts, which only AutoCAD has; for the
picture every text style is shown in WenQuanYi Micro Hei (fonts-wqy-microhei)
so the Chinese texts are visible. The file itself is not changed.
"""
import sys

import ezdxf
import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402


def main():
    source, target = sys.argv[1], sys.argv[2]
    doc = ezdxf.readfile(source)
    for style in doc.styles:
        # An unknown file name makes ezdxf ask matplotlib for the family
        # named by the file's stem.
        style.dxf.font = "WenQuanYi Micro Hei.ttf"
    figure = plt.figure(figsize=(12, 8))
    axes = figure.add_axes([0, 0, 1, 1])
    context = RenderContext(doc)
    context.set_current_layout(doc.modelspace())
    Frontend(context, MatplotlibBackend(axes)).draw_layout(doc.modelspace(), finalize=True)
    figure.savefig(target, dpi=100, facecolor="white")


if __name__ == "__main__":
    main()
