"""The help font: a monoline rounded sans built by stroking centre lines with a round pen, stored as CFF.

Every stroke becomes its own closed outline (a capsule, a bent capsule or a ring); strokes of a glyph
overlap and the non-zero fill joins them, which gives the round joins and ends of a felt pen.
"""

import math

import outline
from font_assembly import FontInfo, Glyph, build_font
from rounded_glyphs import (ASCENDER, CAP_HEIGHT, DESCENDER, GLYPHS, SIDE_BEARING, SPACE_WIDTH,
                            STROKE, X_HEIGHT)

HALF = STROKE / 2

INFO = FontInfo(family="Quarvel Rounded", style="Regular", version="1.000", ascender=ASCENDER + 60,
                descender=DESCENDER - 40, line_gap=100, cap_height=CAP_HEIGHT, x_height=X_HEIGHT,
                weight_class=500)


def build():
    """The FontBuilder of the help font."""
    glyphs = {ord(char): make_glyph(strokes) for char, strokes in GLYPHS.items()}
    return build_font(INFO, glyphs, notdef_glyph(), truetype=False)


def make_glyph(strokes):
    """A glyph from its centre-line strokes, moved to its left side bearing; no strokes make a space."""
    if not strokes:
        return Glyph(SPACE_WIDTH, [])
    contours = [c for stroke in strokes for c in stroke_outline(stroke)]
    left, _, right, _ = outline.bounds(contours)
    shift = SIDE_BEARING - left
    moved = [outline.mapped(c, lambda p: (p[0] + shift, p[1])) for c in contours]
    return Glyph(round(right - left + 2 * SIDE_BEARING), moved)


def notdef_glyph():
    """A rounded empty box."""
    width, height = 400, CAP_HEIGHT - STROKE
    strokes = [("line", 0, HALF, width, HALF), ("line", width, HALF, width, HALF + height),
               ("line", width, HALF + height, 0, HALF + height), ("line", 0, HALF + height, 0, HALF)]
    return make_glyph(strokes)


def stroke_outline(stroke):
    """Closed contours, ink counter-clockwise, of one stroke: ("line", x0, y0, x1, y1),
    ("arc", cx, cy, rx, ry, start_deg, end_deg) or ("dot", x, y, radius)."""
    kind = stroke[0]
    if kind == "line":
        return [capsule((stroke[1], stroke[2]), (stroke[3], stroke[4]))]
    if kind == "arc":
        return bent_capsule((stroke[1], stroke[2]), stroke[3], stroke[4], stroke[5], stroke[6])
    if kind == "dot":
        return [outline.ellipse((stroke[1], stroke[2]), stroke[3], stroke[3])]
    raise ValueError(f"unknown stroke {stroke!r}")


def capsule(start, end):
    """A straight stroke with round ends."""
    length = math.hypot(end[0] - start[0], end[1] - start[1])
    if length == 0:
        return outline.ellipse(start, HALF, HALF)
    heading = math.degrees(math.atan2(end[1] - start[1], end[0] - start[0]))
    right = heading - 90
    contour = [("M", outline.ellipse_point(start, HALF, HALF, right)),
               ("L", outline.ellipse_point(end, HALF, HALF, right))]
    contour += outline.arc_segments(end, HALF, HALF, right, right + 180)
    contour.append(("L", outline.ellipse_point(start, HALF, HALF, right + 180)))
    contour += outline.arc_segments(start, HALF, HALF, right + 180, right + 360)
    return contour


def bent_capsule(center, rx, ry, start_deg, end_deg):
    """A stroke along an elliptical arc with round ends; a full turn gives a ring (outer and counter)."""
    outer, inner = (rx + HALF, ry + HALF), (rx - HALF, ry - HALF)
    if abs(end_deg - start_deg) >= 360:
        ring = outline.ellipse(center, *outer)
        counter = outline.reversed_contour(outline.ellipse(center, *inner))
        return [ring, counter]
    turn = 1 if end_deg > start_deg else -1
    end_point = outline.ellipse_point(center, rx, ry, end_deg)
    start_point = outline.ellipse_point(center, rx, ry, start_deg)
    contour = [("M", outline.ellipse_point(center, *outer, start_deg))]
    contour += outline.arc_segments(center, *outer, start_deg, end_deg)
    # The ends are half circles around the centre line's end points, bulging along the stroke.
    contour += outline.arc_segments(end_point, HALF, HALF, end_deg, end_deg + turn * 180)
    contour += outline.arc_segments(center, *inner, end_deg, start_deg)
    contour += outline.arc_segments(start_point, HALF, HALF, start_deg + 180, start_deg + 180 + turn * 180)
    return [outline.oriented(contour, counter_clockwise=True)]
