"""Closed glyph contours as plain data: build, orient, transform and draw them onto a fontTools pen.

A contour is a list of operations: ("M", p) first, then ("L", p) or ("C", c1, c2, p);
it closes back to its first point. Points are (x, y) tuples in font units.
"""

import math

from fontTools.pens.boundsPen import BoundsPen


def polygon(points):
    """A contour of straight edges through the points."""
    return [("M", points[0])] + [("L", p) for p in points[1:]]


def points_of(contour):
    """Every point of the contour, control points included, in order."""
    return [p for op in contour for p in op[1:]]


def signed_area(contour):
    """Shoelace area of the control polygon: positive for counter-clockwise contours."""
    pts = points_of(contour)
    total = 0.0
    for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1]):
        total += x0 * y1 - x1 * y0
    return total / 2.0


def reversed_contour(contour):
    """The same outline traversed the other way round, from the same start point."""
    ends = [op[-1] for op in contour]
    result = [("M", ends[0])]
    if ends[-1] != ends[0]:
        result.append(("L", ends[-1]))
    for index in range(len(contour) - 1, 0, -1):
        op = contour[index]
        if op[0] == "C":
            result.append(("C", op[2], op[1], ends[index - 1]))
        elif index > 1:
            result.append(("L", ends[index - 1]))
    # The final line back to the start is implied by closing the contour.
    return result


def oriented(contour, counter_clockwise):
    """The contour turned so that it runs in the requested direction."""
    if (signed_area(contour) > 0) == counter_clockwise:
        return contour
    return reversed_contour(contour)


def mapped(contour, function):
    """The contour with every point passed through function((x, y)) -> (x, y)."""
    return [(op[0],) + tuple(function(p) for p in op[1:]) for op in contour]


def rounded(contour):
    """The contour on the integer grid that both outline formats store."""
    return mapped(contour, lambda p: (int(round(p[0])), int(round(p[1]))))


def without_repeats(contour):
    """The contour without zero-length lines, including a last line back onto the start point."""
    result = [contour[0]]
    for op in contour[1:]:
        if op[0] == "L" and op[1] == result[-1][-1]:
            continue
        result.append(op)
    if len(result) > 1 and result[-1][0] == "L" and result[-1][1] == result[0][1]:
        result.pop()
    return result


def skewed(contour, slope, pivot_y):
    """The contour slanted to the right by slope (x shift per unit of height) around y = pivot_y."""
    return mapped(contour, lambda p: (p[0] + (p[1] - pivot_y) * slope, p[1]))


def draw(contours, pen):
    """Sends the contours to a fontTools segment pen."""
    for contour in contours:
        pen.moveTo(contour[0][1])
        for op in contour[1:]:
            if op[0] == "C":
                pen.curveTo(op[1], op[2], op[3])
            else:
                pen.lineTo(op[1])
        pen.closePath()


def bounds(contours):
    """(xMin, yMin, xMax, yMax) of the ink, curves measured exactly; None without contours."""
    pen = BoundsPen(None)
    draw(contours, pen)
    return pen.bounds


def arc_segments(center, rx, ry, start_deg, end_deg):
    """Cubic pieces of an elliptical arc from start_deg to end_deg (either direction), each at most 90 degrees.

    Returns ("C", c1, c2, p) operations; the arc's first point is not included.
    """
    sweep = end_deg - start_deg
    pieces = max(1, int(math.ceil(abs(sweep) / 90.0 - 1e-9)))
    step = math.radians(sweep / pieces)
    handle = 4.0 / 3.0 * math.tan(step / 4.0)
    cx, cy = center
    ops = []
    angle = math.radians(start_deg)
    for _ in range(pieces):
        a0, a1 = angle, angle + step
        p0 = (cx + rx * math.cos(a0), cy + ry * math.sin(a0))
        p1 = (cx + rx * math.cos(a1), cy + ry * math.sin(a1))
        c1 = (p0[0] - handle * rx * math.sin(a0), p0[1] + handle * ry * math.cos(a0))
        c2 = (p1[0] + handle * rx * math.sin(a1), p1[1] - handle * ry * math.cos(a1))
        ops.append(("C", c1, c2, p1))
        angle = a1
    return ops


def ellipse_point(center, rx, ry, deg):
    """The point of the ellipse at the parametric angle deg."""
    a = math.radians(deg)
    return (center[0] + rx * math.cos(a), center[1] + ry * math.sin(a))


def ellipse(center, rx, ry):
    """A closed counter-clockwise ellipse."""
    return [("M", ellipse_point(center, rx, ry, 0))] + arc_segments(center, rx, ry, 0, 360)


def convex_clip(points, normal, offset):
    """Keeps the part of a convex polygon where dot(normal, p) <= offset (one Sutherland-Hodgman pass)."""
    def side(p):
        return normal[0] * p[0] + normal[1] * p[1] - offset

    result = []
    for index, current in enumerate(points):
        following = points[(index + 1) % len(points)]
        s0, s1 = side(current), side(following)
        if s0 <= 0:
            result.append(current)
        if (s0 < 0 < s1) or (s1 < 0 < s0):
            t = s0 / (s0 - s1)
            result.append((current[0] + t * (following[0] - current[0]),
                           current[1] + t * (following[1] - current[1])))
    return result
