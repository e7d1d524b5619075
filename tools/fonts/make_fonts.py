"""Writes the game's two fonts, digital-7.ttf (score) and Crickx.otf (help), into the folder given.

Usage: /usr/bin/python3 tools/fonts/make_fonts.py OUTPUT_FOLDER
The output is byte-identical on every run.
"""

import os
import sys

# Running the generator must not leave compiled files in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import digital_font  # noqa: E402
import rounded_font  # noqa: E402
import font_assembly  # noqa: E402

FONT_FILES = (("digital-7.ttf", digital_font), ("Crickx.otf", rounded_font))


def main(arguments):
    if len(arguments) != 2:
        sys.stderr.write("usage: make_fonts.py OUTPUT_FOLDER\n")
        return 2
    folder = arguments[1]
    os.makedirs(folder, exist_ok=True)
    for file_name, design in FONT_FILES:
        font_assembly.save_font(design.build(), os.path.join(folder, file_name))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
