#!/usr/bin/python3
"""The module's pictures: resources/svg/ holds their sources.

Makes them again with scripts/make-resources into a temporary folder and
compares every file with the one committed in resources/, byte for byte, so
that a bitmap changed by hand, or a source or the script changed without
making the pictures again, shows here. Then reads the
committed files with the image library (python3-pil), as another program
would, and checks what the controls rely on: sizes, colour depths, and the
bottom-left pixel that the glyphs and the button strip are keyed with.

    check_resources.py <repo>
"""

import filecmp
import os
import subprocess
import sys
import tempfile

from PIL import Image

BLUE = (0, 0, 255)
FUCHSIA = (255, 0, 255)

# (file, width, height, mode, bottom-left pixel: the transparent colour)
BITMAPS = [
    ('OPENFOLDER.bmp', 16, 15, 'P', BLUE),
    ('CLOSEDFOLDER.bmp', 16, 15, 'P', BLUE),
    ('CURRENTFOLDER.bmp', 16, 15, 'P', BLUE),
    ('EXECUTABLE.bmp', 16, 15, 'P', BLUE),
    ('UNKNOWNFILE.bmp', 16, 15, 'P', BLUE),
    ('FLOPPY.bmp', 16, 11, 'P', BLUE),
    ('HARD.bmp', 16, 11, 'P', BLUE),
    ('NETWORK.bmp', 16, 11, 'P', BLUE),
    ('CDROM.bmp', 16, 11, 'P', BLUE),
    ('RAM.bmp', 16, 11, 'P', BLUE),
    # Normal and disabled image side by side, keyed together.
    ('PLAY.bmp', 32, 16, 'P', FUCHSIA),
    # Twelve images of 32 x 32; the image list keys them with the strip's corner.
    ('TIPPBUTTONS.bmp', 12 * 32, 32, 'RGB', FUCHSIA),
]
ICONS = ['TIPP.ico', 'OMBRIK63.ico']


def main():
    repo = sys.argv[1]
    resources = os.path.join(repo, 'resources')
    faults = []

    with tempfile.TemporaryDirectory() as made:
        subprocess.run(['bash', os.path.join(repo, 'scripts', 'make-resources'), made],
                       check=True, stdout=subprocess.DEVNULL)
        names = sorted(os.listdir(made))
        for name in names:
            committed = os.path.join(resources, name)
            if not os.path.exists(committed):
                faults.append('%s: made, but not committed' % name)
            elif not filecmp.cmp(os.path.join(made, name), committed, shallow=False):
                faults.append('%s: differs from what its source makes' % name)
    pictures = {f for f in os.listdir(resources) if f.endswith(('.bmp', '.ico'))}
    for name in sorted(pictures - set(names)):
        faults.append('%s: committed, but no source makes it' % name)

    for name, width, height, mode, key in BITMAPS:
        with Image.open(os.path.join(resources, name)) as picture:
            if (picture.format, picture.size, picture.mode) != ('BMP', (width, height), mode):
                faults.append('%s: %s %s %s, expected BMP %s %s' % (
                    name, picture.format, picture.size, picture.mode, (width, height), mode))
                continue
            corner = picture.convert('RGB').getpixel((0, height - 1))
            if corner != key:
                faults.append('%s: bottom-left pixel %s, expected %s' % (name, corner, key))
    for name in ICONS:
        with Image.open(os.path.join(resources, name)) as icon:
            sizes = icon.info.get('sizes')
            if icon.format != 'ICO' or sizes != {(32, 32)}:
                faults.append('%s: %s with sizes %s, expected one image of 32 x 32' % (
                    name, icon.format, sizes))

    for fault in faults:
        print(fault)
    print('%d pictures checked, %d faults' % (len(BITMAPS) + len(ICONS), len(faults)))
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
