"""Turns designed glyph outlines into a complete font file (TrueType glyf or OpenType CFF) with fontTools."""

import math
from dataclasses import dataclass, field

from fontTools.agl import UV2AGL
from fontTools.fontBuilder import FontBuilder
from fontTools.misc.timeTools import timestampFromString
from fontTools.pens.t2CharStringPen import T2CharStringPen
from fontTools.pens.ttGlyphPen import TTGlyphPen

import outline

UNITS_PER_EM = 1000
# Fixed creation and modification stamps keep the generated files byte-identical from run to run.
FIXED_TIMESTAMP = timestampFromString("Mon Jun  2 12:00:00 2025")
PRINTABLE_ASCII = range(32, 127)


@dataclass
class Glyph:
    """One designed glyph: its advance width and closed contours, in font units."""
    advance: int
    contours: list = field(default_factory=list)


@dataclass
class FontInfo:
    """Names and vertical metrics of a font (font units, descender negative)."""
    family: str
    style: str
    version: str
    ascender: int
    descender: int
    line_gap: int
    cap_height: int
    x_height: int
    weight_class: int = 400
    italic_angle: float = 0.0


def glyph_name(code):
    """Standard glyph name of a character code ("space", "A", "zero"...)."""
    return UV2AGL[code]


def build_font(info, glyphs_by_code, notdef, truetype):
    """Assembles a FontBuilder for printable ASCII plus .notdef.

    glyphs_by_code maps character codes to Glyph, whose contours run counter-clockwise around ink
    and clockwise around counters; truetype selects glyf outlines, otherwise CFF.
    """
    if sorted(glyphs_by_code) != list(PRINTABLE_ASCII):
        raise ValueError("a font must cover exactly the printable ASCII characters")
    names = [".notdef"] + [glyph_name(code) for code in sorted(glyphs_by_code)]
    designed = [notdef] + [glyphs_by_code[code] for code in sorted(glyphs_by_code)]
    glyphs = {name: Glyph(glyph.advance, _stored_contours(glyph.contours, truetype))
              for name, glyph in zip(names, designed)}

    builder = FontBuilder(UNITS_PER_EM, isTTF=truetype)
    builder.updateHead(created=FIXED_TIMESTAMP, modified=FIXED_TIMESTAMP, fontRevision=_revision(info),
                       macStyle=0x02 if info.italic_angle else 0)
    builder.setupGlyphOrder(names)
    builder.setupCharacterMap({code: glyph_name(code) for code in sorted(glyphs_by_code)})
    if truetype:
        _setup_glyf(builder, names, glyphs)
    else:
        _setup_cff(builder, info, names, glyphs)
    builder.setupHorizontalMetrics({name: (glyphs[name].advance, _left_bearing(glyphs[name]))
                                    for name in names})
    builder.setupHorizontalHeader(ascent=info.ascender, descent=info.descender, lineGap=info.line_gap)
    builder.setupNameTable(_names(info))
    low, high = _vertical_extent(glyphs.values())
    builder.setupOS2(sTypoAscender=info.ascender, sTypoDescender=info.descender,
                     sTypoLineGap=info.line_gap, usWinAscent=max(info.ascender, high),
                     usWinDescent=max(-info.descender, -low),
                     sxHeight=info.x_height, sCapHeight=info.cap_height, usWeightClass=info.weight_class,
                     achVendID="QRVL", fsType=0, fsSelection=_selection(info), usDefaultChar=0,
                     usBreakChar=32)
    builder.setupPost(italicAngle=info.italic_angle, underlinePosition=-100, underlineThickness=50)
    return builder


def save_font(builder, path):
    """Writes the font; the bytes depend only on the glyph data."""
    builder.save(path)


def _stored_contours(contours, truetype):
    """Contours on the integer grid, turned the way the outline format fills them."""
    # Designs draw ink counter-clockwise and counters clockwise, as PostScript outlines want;
    # TrueType wants the opposite.
    turned = [outline.reversed_contour(c) for c in contours] if truetype else contours
    return [outline.without_repeats(outline.rounded(c)) for c in turned]


def _setup_glyf(builder, names, glyphs):
    tables = {}
    for name in names:
        pen = TTGlyphPen(None)
        outline.draw(glyphs[name].contours, pen)
        tables[name] = pen.glyph()
    builder.setupGlyf(tables)


def _setup_cff(builder, info, names, glyphs):
    charstrings = {}
    for name in names:
        pen = T2CharStringPen(glyphs[name].advance, None)
        outline.draw(glyphs[name].contours, pen)
        charstrings[name] = pen.getCharString()
    ps_name = _postscript_name(info)
    builder.setupCFF(ps_name, {"FullName": f"{info.family} {info.style}", "FamilyName": info.family,
                               "Weight": info.style}, charstrings, {})


def _left_bearing(glyph):
    box = outline.bounds(glyph.contours)
    return 0 if box is None else math.floor(box[0])


def _vertical_extent(glyphs):
    """Lowest and highest ink of all glyphs, so that clipping metrics cover every glyph."""
    boxes = [box for box in (outline.bounds(glyph.contours) for glyph in glyphs) if box is not None]
    return (min([0] + [math.floor(box[1]) for box in boxes]), max([0] + [math.ceil(box[3]) for box in boxes]))


def _revision(info):
    return float(info.version)


def _selection(info):
    italic = 0x01 if info.italic_angle else 0
    regular = 0x40 if not italic and info.style == "Regular" else 0
    return italic | regular


def _postscript_name(info):
    return f"{info.family}-{info.style}".replace(" ", "")


def _names(info):
    return {
        "familyName": info.family,
        "styleName": info.style,
        "uniqueFontIdentifier": f"{_postscript_name(info)};{info.version}",
        "fullName": f"{info.family} {info.style}",
        "version": f"Version {info.version}",
        "psName": _postscript_name(info),
        "manufacturer": "Quarvel",
        "designer": "Quarvel",
        "description": "Made for the Quarvel game by its own font generator.",
    }
