"""Centre-line strokes of the help font, one list per character, in font units.

Strokes are drawn with a round pen STROKE wide: line(x0, y0, x1, y1), path(points...),
arc(cx, cy, rx, ry, start_deg, end_deg) (counter-clockwise when end > start), ring(cx, cy, rx, ry)
and dot(x, y, radius). Glyphs are placed by their ink, SIDE_BEARING from each side, so the
x origin of a drawing does not matter.
"""

import math

STROKE = 92          # font units, pen width
X_HEIGHT = 510       # font units, top of the lowercase ink
CAP_HEIGHT = 700     # font units, top of the capitals and figures
ASCENDER = 740       # font units, top of b d f h k l
DESCENDER = -210     # font units, bottom of g j p q y
SIDE_BEARING = 44    # font units of air left and right of the ink
SPACE_WIDTH = 250    # font units, advance of the space

_H = STROKE / 2
BASE = _H                    # centre lines of the pen sitting on the baseline ...
XH = X_HEIGHT - _H           # ... touching the x-height,
CAP = CAP_HEIGHT - _H        # ... the cap height,
ASC = ASCENDER - _H          # ... the ascender
DESC = DESCENDER + _H        # ... and the descender.
XMID = (BASE + XH) / 2       # middle of a lowercase bowl
BOWL = (XH - BASE) / 2       # vertical radius of a lowercase bowl
MID = 360                    # height of the capitals' middle bars
DOT = 56                     # radius of dots


def line(x0, y0, x1, y1):
    return [("line", x0, y0, x1, y1)]


def path(*points):
    return [("line", *a, *b) for a, b in zip(points, points[1:])]


def arc(cx, cy, rx, ry, start_deg, end_deg):
    return [("arc", cx, cy, rx, ry, start_deg, end_deg)]


def ring(cx, cy, rx, ry):
    return arc(cx, cy, rx, ry, 0, 360)


def dot(x, y, radius=DOT):
    return [("dot", x, y, radius)]


def on_arc(cx, cy, rx, ry, deg):
    """The centre-line point of an arc at angle deg, to join a line to an arc's end."""
    return (cx + rx * math.cos(math.radians(deg)), cy + ry * math.sin(math.radians(deg)))


def mirrored(strokes):
    """The strokes flipped left to right."""
    flipped = []
    for stroke in strokes:
        if stroke[0] == "line":
            flipped.append(("line", -stroke[1], stroke[2], -stroke[3], stroke[4]))
        elif stroke[0] == "arc":
            flipped.append(("arc", -stroke[1], stroke[2], stroke[3], stroke[4], 180 - stroke[5], 180 - stroke[6]))
        else:
            flipped.append(("dot", -stroke[1], stroke[2], stroke[3]))
    return flipped


def _bowl(cx):
    return ring(cx, XMID, 190, BOWL)


def _arch(left, width):
    """The round top of n, h and m: from the left stem over to the right stem."""
    r = width / 2
    return arc(left + r, XH - r, r, r, 180, 0) + line(left + width, XH - r, left + width, BASE)


def _capital_s():
    return arc(200, CAP - 152, 180, 152, 28, 270) + arc(200, BASE + 152, 200, 152, 90, -152)


def _comma(x):
    return dot(x, DOT) + line(x + 34, 30, x - 36, -125)


def _brace():
    top, bottom, middle = ASCENDER - _H, DESCENDER + 70, 300
    return (arc(210, top - 140, 110, 140, 90, 180) + line(100, top - 140, 100, middle + 120)
            + arc(0, middle + 120, 100, 120, 0, -90) + arc(0, middle - 120, 100, 120, 90, 0)
            + line(100, middle - 120, 100, bottom + 140) + arc(210, bottom + 140, 110, 140, 180, 270))


_LOWER = {
    "a": _bowl(190) + line(380, XH, 380, BASE),
    "b": line(0, ASC, 0, BASE) + _bowl(190),
    "c": arc(190, XMID, 190, BOWL, 48, 312),
    "d": _bowl(190) + line(380, ASC, 380, BASE),
    "e": line(0, XMID, 380, XMID) + arc(190, XMID, 190, BOWL, 0, 318),
    "f": line(90, BASE, 90, 540) + arc(200, 540, 110, ASC - 540, 180, 40) + line(0, XH, 250, XH),
    "g": _bowl(190) + line(380, XH, 380, -20) + arc(190, -20, 190, -20 - DESC, 0, -155),
    "h": line(0, ASC, 0, BASE) + _arch(0, 350),
    "i": line(0, XH, 0, BASE) + dot(0, 650),
    "j": line(120, XH, 120, -40) + arc(20, -40, 100, -40 - DESC, 0, -150) + dot(120, 650),
    "k": line(0, ASC, 0, BASE) + line(310, XH, 20, 200) + line(130, 300, 330, BASE),
    "l": line(0, ASC, 0, 150) + arc(100, 150, 100, 150 - BASE, 180, 300),
    "m": line(0, XH, 0, BASE) + _arch(0, 270) + _arch(270, 270),
    "n": line(0, XH, 0, BASE) + _arch(0, 350),
    "o": ring(195, XMID, 195, BOWL),
    "p": line(0, XH, 0, DESC) + _bowl(190),
    "q": _bowl(190) + line(380, XH, 380, DESC),
    "r": line(0, XH, 0, BASE) + arc(175, XH - 175, 175, 175, 180, 50),
    "s": arc(165, XH - 104, 155, 104, 30, 270) + arc(165, BASE + 105, 170, 105, 90, -150),
    "t": line(80, 620, 80, 150) + arc(180, 150, 100, 150 - BASE, 180, 300) + line(0, XH, 230, XH),
    "u": line(0, XH, 0, BASE + 175) + arc(175, BASE + 175, 175, 175, 180, 360) + line(350, XH, 350, BASE),
    "v": path((0, XH), (180, BASE), (360, XH)),
    "w": path((0, XH), (130, BASE), (270, 380), (410, BASE), (540, XH)),
    "x": line(0, XH, 350, BASE) + line(0, BASE, 350, XH),
    "y": line(0, XH, 190, 90) + line(360, XH, 90, DESC),
    "z": path((0, XH), (340, XH), (0, BASE), (350, BASE)),
}

_UPPER = {
    "A": path((0, BASE), (210, CAP), (420, BASE)) + line(64, 230, 356, 230),
    "B": (line(0, BASE, 0, CAP) + path((0, CAP), (170, CAP)) + arc(170, (CAP + MID) / 2, 147, 147, 90, -90)
          + line(170, MID, 0, MID) + line(0, MID, 185, MID) + arc(185, (MID + BASE) / 2, 157, 157, 90, -90)
          + line(185, BASE, 0, BASE)),
    "C": arc(240, 350, 240, CAP - 350, 50, 310),
    "D": line(0, BASE, 0, CAP) + line(0, CAP, 150, CAP) + arc(150, 350, 250, CAP - 350, 90, -90)
         + line(150, BASE, 0, BASE),
    "E": line(0, BASE, 0, CAP) + line(0, CAP, 330, CAP) + line(0, MID, 290, MID) + line(0, BASE, 340, BASE),
    "F": line(0, BASE, 0, CAP) + line(0, CAP, 330, CAP) + line(0, MID, 290, MID),
    "G": arc(245, 350, 245, CAP - 350, 45, 360) + line(490, 350, 300, 350),
    "H": line(0, BASE, 0, CAP) + line(420, BASE, 420, CAP) + line(0, MID, 420, MID),
    "I": line(120, BASE, 120, CAP) + line(0, CAP, 240, CAP) + line(0, BASE, 240, BASE),
    "J": line(310, CAP, 310, 210) + arc(155, 210, 155, 210 - BASE, 0, -180),
    "K": line(0, BASE, 0, CAP) + line(360, CAP, 20, 260) + line(140, 395, 380, BASE),
    "L": line(0, CAP, 0, BASE) + line(0, BASE, 320, BASE),
    "M": line(0, BASE, 0, CAP) + path((0, CAP), (260, 230), (520, CAP)) + line(520, CAP, 520, BASE),
    "N": line(0, BASE, 0, CAP) + line(0, CAP, 420, BASE) + line(420, BASE, 420, CAP),
    "O": ring(260, 350, 260, CAP - 350),
    "P": line(0, BASE, 0, CAP) + line(0, CAP, 180, CAP) + arc(180, 497, 157, CAP - 497, 90, -90)
         + line(180, 340, 0, 340),
    "Q": ring(260, 350, 260, CAP - 350) + line(300, 170, 470, BASE - 30),
    "R": line(0, BASE, 0, CAP) + line(0, CAP, 180, CAP) + arc(180, 497, 157, CAP - 497, 90, -90)
         + line(180, 340, 0, 340) + line(180, 340, 390, BASE),
    "S": _capital_s(),
    "T": line(0, CAP, 420, CAP) + line(210, CAP, 210, BASE),
    "U": line(0, CAP, 0, 250) + arc(210, 250, 210, 250 - BASE, 180, 360) + line(420, 250, 420, CAP),
    "V": path((0, CAP), (220, BASE), (440, CAP)),
    "W": path((0, CAP), (150, BASE), (310, 520), (470, BASE), (620, CAP)),
    "X": line(0, CAP, 420, BASE) + line(0, BASE, 420, CAP),
    "Y": line(0, CAP, 210, 330) + line(420, CAP, 210, 330) + line(210, 330, 210, BASE),
    "Z": path((0, CAP), (400, CAP), (0, BASE), (410, BASE)),
}

_FIGURES = {
    "0": ring(200, 350, 200, CAP - 350),
    "1": line(200, CAP, 200, BASE) + line(200, CAP, 50, 530) + line(40, BASE, 360, BASE),
    "2": (arc(190, 470, 185, CAP - 470, 160, -35) + line(*on_arc(190, 470, 185, CAP - 470, -35), 0, BASE)
          + line(0, BASE, 390, BASE)),
    "3": arc(185, 505, 165, CAP - 505, 155, -90) + arc(185, 201, 195, 155, 90, -155),
    "4": line(290, CAP, 0, 200) + line(0, 200, 400, 200) + line(290, CAP, 290, BASE),
    "5": (line(340, CAP, 40, CAP) + line(40, CAP, 30, 340)
          + arc(195, 232, 190, 232 - BASE, 150, -150)),
    "6": ring(195, 210, 195, 210 - BASE) + line(0, 210, 0, 330) + arc(205, 330, 205, CAP - 330, 180, 60),
    "7": line(0, CAP, 380, CAP) + line(380, CAP, 120, BASE),
    "8": ring(195, 505, 165, CAP - 505) + ring(195, 201, 195, 155),
    "9": ring(195, 490, 195, CAP - 490) + line(390, 490, 390, 370) + arc(185, 370, 205, 370 - BASE, 0, -120),
}

_SIGNS = {
    " ": [],
    "!": line(0, CAP, 0, 230) + dot(0, DOT),
    '"': line(0, CAP, 0, 470) + line(150, CAP, 150, 470),
    "#": line(120, 610, 120, 90) + line(300, 610, 300, 90) + line(0, 450, 420, 450) + line(0, 250, 420, 250),
    "$": _capital_s() + line(205, ASCENDER + 20, 205, -60),
    "%": ring(100, 530, 90, 110) + ring(380, 170, 90, 110) + line(420, CAP, 60, BASE),
    "&": ring(160, 525, 115, 125) + line(100, 410, 430, BASE) + arc(185, 200, 185, 200 - BASE, 110, 370),
    "'": line(0, CAP, 0, 470),
    "(": arc(260, 300, 260, 460, 125, 235),
    ")": mirrored(arc(260, 300, 260, 460, 125, 235)),
    "*": line(150, 650, 150, 390) + line(37, 585, 263, 455) + line(37, 455, 263, 585),
    "+": line(0, 300, 360, 300) + line(180, 120, 180, 480),
    ",": _comma(0),
    "-": line(0, 280, 230, 280),
    ".": dot(0, DOT),
    "/": line(0, -100, 330, CAP + 60),
    ":": dot(0, DOT) + dot(0, 400),
    ";": _comma(0) + dot(0, 400),
    "<": path((360, 520), (0, 300), (360, 80)),
    "=": line(0, 390, 360, 390) + line(0, 210, 360, 210),
    ">": path((0, 520), (360, 300), (0, 80)),
    "?": arc(170, 505, 165, CAP - 505, 160, -90) + line(170, 356, 170, 230) + dot(170, DOT),
    "@": (ring(280, 300, 115, 130) + line(395, 430, 395, 250) + arc(477, 250, 82, 82, 180, 360)
          + line(559, 250, 560, 300) + arc(280, 300, 280, 330, 0, 300)),
    "[": path((130, ASCENDER), (0, ASCENDER), (0, -120), (130, -120)),
    "\\": line(0, CAP + 60, 330, -100),
    "]": mirrored(path((130, ASCENDER), (0, ASCENDER), (0, -120), (130, -120))),
    "^": path((0, 420), (170, CAP), (340, 420)),
    "_": line(0, -120, 420, -120),
    "`": line(0, 700, 110, 580),
    "{": _brace(),
    "|": line(0, ASCENDER, 0, -150),
    "}": mirrored(_brace()),
    "~": arc(100, 290, 100, 80, 180, 0) + arc(300, 290, 100, 80, 180, 360),
}

GLYPHS = {**_SIGNS, **_FIGURES, **_UPPER, **_LOWER}
