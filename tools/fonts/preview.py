"""Renders sample sheets of the generated fonts to PNG files for a designer to look at.

Usage: /usr/bin/python3 tools/fonts/preview.py FONT_FOLDER OUTPUT_FOLDER
Glyphs are laid out the way the game's text renderer does it: rendered at 48 px, placed by their
bitmap bearings, advanced by whole pixels and scaled afterwards.
"""

import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

PIXEL_HEIGHT = 48
SCREEN = (1024, 800)
ASCII_LINES = ["".join(chr(c) for c in range(32, 64)), "".join(chr(c) for c in range(64, 96)),
               "".join(chr(c) for c in range(96, 127))]
# (text, font file, x, y from the bottom, scale) as the game draws its on-screen texts.
HUD_LINES = [
    ("SCORE: 40", "digital-7.ttf", 0, 730, 1.0),
    ("LIFEPOINTS: 5", "digital-7.ttf", 774, 730, 1.0),
    ("Defend the treasure in the middle by blocking the way ", "Crickx.otf", 0, 200, 0.6),
    ("or smashing the enemies with the falling stones.", "Crickx.otf", 0, 150, 0.6),
    ("Mouse, wasd: Camera Movement", "Crickx.otf", 0, 100, 0.6),
    ("Arrow Keys: Stone Movement", "Crickx.otf", 0, 50, 0.6),
    ("Space: accelerate fallspeed", "Crickx.otf", 0, 0, 0.6),
    ("ms/frame:16.6667", "Crickx.otf", 620, 40, 0.6),
    (" fps:60", "Crickx.otf", 620, 0, 0.6),
]


def draw_text(image, font, text, x, y_from_bottom, scale, colour=(0, 0, 0)):
    """Draws text with its baseline starting at (x, y) of a bottom-left origin; returns the end x."""
    baseline = image.height - y_from_bottom
    for char in text:
        left, top, right, bottom = font.getbbox(char, anchor="ls")
        if right > left and bottom > top:
            glyph = Image.new("L", (right - left, bottom - top), 0)
            ImageDraw.Draw(glyph).text((-left, -top), char, font=font, fill=255, anchor="ls")
            size = (max(1, round(glyph.width * scale)), max(1, round(glyph.height * scale)))
            glyph = glyph.resize(size, Image.BILINEAR)
            position = (round(x + left * scale), round(baseline + top * scale))
            image.paste(Image.new("RGB", glyph.size, colour), position, glyph)
        x += math.floor(font.getlength(char)) * scale
    return x


def backdrop():
    """Light sky over grass, like the game's scene behind its texts."""
    image = Image.new("RGB", SCREEN)
    pixels = ImageDraw.Draw(image)
    for row in range(SCREEN[1]):
        if row < 520:
            shade = row / 520
            pixels.line([(0, row), (SCREEN[0], row)], fill=(int(150 + 60 * shade), int(195 + 40 * shade), 245))
        else:
            pixels.line([(0, row), (SCREEN[0], row)], fill=(120 + (row % 7) * 6, 190 - (row % 5) * 5, 90))
    return image


def hud_sheet(fonts):
    image = backdrop()
    for text, file_name, x, y, scale in [line for line in HUD_LINES if line[1] in fonts]:
        end = draw_text(image, fonts[file_name], text, x, y, scale)
        sys.stderr.write(f"{text!r}: {x} .. {end:.1f} px\n")
    return image


def ascii_sheet(fonts):
    image = Image.new("RGB", (1400, 760), (235, 242, 250))
    y = 700
    for file_name in sorted(fonts):
        for scale in (1.0, 0.6):
            for line in ASCII_LINES:
                draw_text(image, fonts[file_name], line, 10, y, scale)
                y -= round(60 * scale)
            y -= 10
    return image


def detail_sheet(fonts):
    """A few lines enlarged three times, pixel for pixel, to judge shapes and spacing."""
    image = Image.new("RGB", (520, 300), (235, 242, 250))
    lines = [("SCORE: 1e+06", "digital-7.ttf", 1.0), ("LIFEPOINTS: 5", "digital-7.ttf", 1.0),
             ("Defend the treasure", "Crickx.otf", 0.6), ("Mouse, wasd: Camera", "Crickx.otf", 0.6),
             ("ms/frame:16.6667 fps:60", "Crickx.otf", 0.6)]
    y = 250
    for text, file_name, scale in [line for line in lines if line[1] in fonts]:
        draw_text(image, fonts[file_name], text, 4, y, scale)
        y -= round(56 * scale)
    return image.resize((image.width * 3, image.height * 3), Image.NEAREST)


def main(arguments):
    if len(arguments) != 3:
        sys.stderr.write("usage: preview.py FONT_FOLDER OUTPUT_FOLDER\n")
        return 2
    fonts = {name: ImageFont.truetype(os.path.join(arguments[1], name), PIXEL_HEIGHT)
             for name in ("digital-7.ttf", "Crickx.otf") if os.path.exists(os.path.join(arguments[1], name))}
    os.makedirs(arguments[2], exist_ok=True)
    hud_sheet(fonts).save(os.path.join(arguments[2], "hud.png"))
    ascii_sheet(fonts).save(os.path.join(arguments[2], "ascii.png"))
    detail_sheet(fonts).save(os.path.join(arguments[2], "detail.png"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
