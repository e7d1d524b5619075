"""The score font: slanted segmented-display glyphs built from the segment tables, stored as TrueType."""

import math

import outline
from digital_glyphs import COLUMNS, GLYPHS, NARROW_BOXES, ROWS, SEGMENTS
from font_assembly import FontInfo, Glyph, build_font

CAP_HEIGHT = 700          # font units, top of the display
BOX_WIDTH = 300           # font units, outer width of a full display
BAR = 72                  # font units, thickness of the straight bars and side of a dot
GAP = 8                   # font units between a bar's end and its node
DIAGONAL_BAR = 50         # font units, thickness of the slanted bars
SIDE_MARGIN = 40          # font units left and right of the box
SLANT_DEGREES = 7.0       # lean of the whole display to the right

INFO = FontInfo(family="Quarvel Segment", style="Italic", version="1.000", ascender=800,
                descender=-200, line_gap=0, cap_height=CAP_HEIGHT,
                x_height=round(BAR + ROWS["M"] * (CAP_HEIGHT - BAR)), weight_class=400,
                italic_angle=-SLANT_DEGREES)


def build():
    """The FontBuilder of the score font."""
    glyphs = {ord(char): make_glyph(pattern, NARROW_BOXES.get(char, BOX_WIDTH)) for char, pattern in GLYPHS.items()}
    return build_font(INFO, glyphs, notdef_glyph(), truetype=True)


def make_glyph(pattern, box_width):
    """Outlines of one glyph from its table entry, slanted, with the advance of its box."""
    bars, dots = parse(pattern, box_width)
    contours = [bar_outline(bar, bars, dots) for bar in bars] + [dot_outline(dot) for dot in dots]
    return Glyph(box_width + 2 * SIDE_MARGIN, [slanted(c) for c in contours])


def notdef_glyph():
    """An empty display frame: a hollow box of bar thickness."""
    left, right = SIDE_MARGIN, SIDE_MARGIN + BOX_WIDTH
    outer = outline.polygon([(left, 0), (right, 0), (right, CAP_HEIGHT), (left, CAP_HEIGHT)])
    inner = outline.polygon([(left + BAR, BAR), (left + BAR, CAP_HEIGHT - BAR),
                             (right - BAR, CAP_HEIGHT - BAR), (right - BAR, BAR)])
    return Glyph(BOX_WIDTH + 2 * SIDE_MARGIN, [slanted(outer), slanted(inner)])


def parse(pattern, box_width):
    """The glyph's bars as pairs of node positions and its dots as node positions."""
    bars, dots = [], []
    for token in pattern.split():
        if token.startswith("."):
            dots.append(node(token[1:], box_width))
            continue
        ends = SEGMENTS.get(token, token).split("-")
        bars.append((node(ends[0], box_width), node(ends[1], box_width)))
    return bars, dots


def node(name, box_width):
    """Centre-line position of a node such as "LT" (left column, top row)."""
    x = SIDE_MARGIN + BAR / 2 + COLUMNS[name[0]] * (box_width - BAR)
    y = BAR / 2 + ROWS[name[1]] * (CAP_HEIGHT - BAR)
    return (x, y)


def bar_outline(bar, bars, dots):
    """A straight bar with pointed or flat ends, or a slanted bar fitted between its neighbours."""
    start, end = bar
    if start[0] != end[0] and start[1] != end[1]:
        return diagonal_outline(bar, bars, dots)
    return straight_outline(bar, flat_end(start, bar, bars, dots), flat_end(end, bar, bars, dots))


def straight_outline(bar, flat_start, flat_end_):
    """A horizontal or vertical bar; a pointed end tapers at 45 degrees so that neighbours mitre."""
    (x0, y0), (x1, y1) = bar
    length = math.hypot(x1 - x0, y1 - y0)
    d = ((x1 - x0) / length, (y1 - y0) / length)
    n = (-d[1], d[0])
    half = BAR / 2

    def along(p, distance, side):
        return (p[0] + d[0] * distance + n[0] * side, p[1] + d[1] * distance + n[1] * side)

    points = [along(bar[0], GAP + half, -half), along(bar[1], -GAP - half, -half)]
    if not flat_end_:
        points.append(along(bar[1], -GAP, 0))
    points += [along(bar[1], -GAP - half, half), along(bar[0], GAP + half, half)]
    if not flat_start:
        points.append(along(bar[0], GAP, 0))
    return outline.oriented(outline.polygon(points), counter_clockwise=True)


def flat_end(point, bar, bars, dots):
    """Whether a bar must stop flat at point: a dot sits there or a crossing bar runs through it."""
    if point in dots:
        return True
    return any(other is not bar and runs_through(other, point) for other in bars)


def runs_through(bar, point):
    """Whether point lies strictly inside a horizontal or vertical bar."""
    (x0, y0), (x1, y1) = bar
    if y0 == y1 == point[1]:
        return min(x0, x1) < point[0] < max(x0, x1)
    if x0 == x1 == point[0]:
        return min(y0, y1) < point[1] < max(y0, y1)
    return False


def diagonal_outline(bar, bars, dots):
    """A slanted bar: a band along the diagonal of the free space between the two nodes."""
    start, end = bar
    sx, sy = math.copysign(1, end[0] - start[0]), math.copysign(1, end[1] - start[1])
    clear_start, clear_end = clearance(start, bars, dots), clearance(end, bars, dots)
    a = (start[0] + sx * clear_start[0], start[1] + sy * clear_start[1])
    b = (end[0] - sx * clear_end[0], end[1] - sy * clear_end[1])
    box = [(min(a[0], b[0]), min(a[1], b[1])), (max(a[0], b[0]), min(a[1], b[1])),
           (max(a[0], b[0]), max(a[1], b[1])), (min(a[0], b[0]), max(a[1], b[1]))]
    length = math.hypot(b[0] - a[0], b[1] - a[1])
    n = (-(b[1] - a[1]) / length, (b[0] - a[0]) / length)
    reach = n[0] * a[0] + n[1] * a[1]
    band = outline.convex_clip(box, n, reach + DIAGONAL_BAR / 2)
    band = outline.convex_clip(band, (-n[0], -n[1]), -reach + DIAGONAL_BAR / 2)
    return outline.oriented(outline.polygon(band), counter_clockwise=True)


def clearance(point, bars, dots):
    """How far (x, y) a slanted bar keeps from a node: clear of the bars and dots that meet there."""
    room = BAR / 2 + GAP
    if point in dots:
        return (room, room)
    vertical = any(b[0][0] == b[1][0] and touches(b, point) for b in bars)
    horizontal = any(b[0][1] == b[1][1] and touches(b, point) for b in bars)
    return (room if vertical else GAP, room if horizontal else GAP)


def touches(bar, point):
    """Whether a straight bar ends at point or runs through it."""
    return point in bar or runs_through(bar, point)


def dot_outline(center):
    """A square dot of bar thickness."""
    x, y = center
    half = BAR / 2
    return outline.polygon([(x - half, y - half), (x + half, y - half), (x + half, y + half),
                            (x - half, y + half)])


def slanted(contour):
    """The contour leaned to the right around half the cap height."""
    return outline.skewed(contour, math.tan(math.radians(SLANT_DEGREES)), CAP_HEIGHT / 2)
