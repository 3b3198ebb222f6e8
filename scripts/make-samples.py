#!/usr/bin/env python3
"""Writes the sample folder for the tag editor: small valid MP3 files.

Usage: make-samples.py <output directory>

Each file is a few silent MPEG-1 Layer III frames (44.1 kHz, 128 kbit/s,
mono), followed by an ID3v1 tag or not. The set covers what the editor
shows differently: plain and v1.1 tags (a track number), genre bytes 148,
150 (named by other programs only), 200 and 255, a lower-case marker, a
file without a tag, one shorter than the 128-byte record, a read-only file,
and a subfolder. These names are
ASCII, so that they read the same in any code page.

The subfolder "Namen aus aller Welt" holds names that no code page holds
together, which only a program using Unicode names can list and open:
Cyrillic, Japanese and Greek ones, one with an emoji (two UTF-16 code
units, a surrogate pair) and one with a combining accent (a decomposed
"Cafe\u0301", which looks like the precomposed name but is another one).
Below it a chain of folders makes a path longer than 300 characters even
counted from the sample folder, past MAX_PATH. The tags of these files keep
to cp1252, as an ID3v1 record does: their titles spell the names in Latin
letters. The names are written as UTF-8 bytes, whatever the locale, as
Wine on Linux reads them as Unicode.

The folder is rebuilt from scratch on every run, so it always matches this
script.
"""
import os
import shutil
import stat
import sys

# Frame header: sync, MPEG-1, Layer III, no CRC; 128 kbit/s, 44.1 kHz, no
# padding; mono, original. A frame is 144 * 128000 / 44100 = 417 bytes; with
# zero side information and main data it decodes to silence.
FRAME = bytes([0xFF, 0xFB, 0x90, 0xC4]) + bytes(417 - 4)


def audio(frames=8):
    return FRAME * frames


def text(value, width):
    data = value.encode("cp1252")
    assert len(data) <= width, value
    return data + bytes(width - len(data))


def tag(title, artist="", album="", year="", comment="", genre=255, track=None, marker=b"TAG"):
    """An ID3v1 record; with a track number the v1.1 form (28-byte comment, zero, track)."""
    if track is None:
        tail = text(comment, 30)
    else:
        tail = text(comment, 28) + bytes([0, track])
    record = (marker + text(title, 30) + text(artist, 30) + text(album, 30) + text(year, 4) +
              tail + bytes([genre]))
    assert len(record) == 128
    return record


# Name, bytes, read-only.
SAMPLES = [
    ("Abendlied.mp3",
     audio() + tag("Abendlied", "Die Zwei", "Erste Platte", "1999", "Aufgenommen im Keller", 0),
     False),
    ("Bergfahrt.mp3",
     audio() + tag("Bergfahrt", "Seilschaft", "Gipfel", "2003", "Mit Spur", 17, track=7), False),
    ("Kuestenwind.mp3",
     audio() + tag("K\u00fcstenwind", "M\u00f6we & S\u00f6hne", "Nordsee", "1987", "", 148),
     False),
    ("Genre 150.mp3", audio() + tag("Barock", "Andere Liste", genre=150), False),
    ("Genre 200.mp3", audio() + tag("Zweihundert", "Ohne Liste", genre=200), False),
    ("Genre 255.mp3", audio() + tag("Kein Genre", "Niemand", genre=255), False),
    ("Kleinbuchstaben.mp3", audio() + tag("Klein", "Markiert", genre=13, marker=b"tag"), False),
    ("Ohne Tag.mp3", audio(), False),
    ("Kurz.mp3", FRAME[:100], False),
    ("Nur lesen.mp3",
     audio() + tag("Nur lesen", "Archiv", "Sicherung", "2001", "Schreibgesch\u00fctzt", 8), True),
    (os.path.join("Live", "Zugabe.mp3"),
     audio(4) + tag("Zugabe", "Die Zwei", "Live im Saal", "2005", "Applaus", 17, track=12), False),
    (os.path.join("Live", "Notizen.txt"), b"Keine MP3-Datei.\r\n", False),
]

WORLD = "Namen aus aller Welt"
# File name, title (the name in Latin letters, as cp1252 holds it), artist (what the name shows).
WORLD_NAMES = [
    ("Привет мир", "Privet mir", "Kyrillisch"),
    ("日本語の歌", "Nihongo no uta", "Japanisch"),
    ("Καλημέρα", "Kalim\u00e9ra", "Griechisch"),
    ("Note 🎵 song", "Note song", "Emoji im Namen"),
    ("Cafe\u0301", "Caf\u00e9", "Zerlegter Akzent"),
]
# Names a ripper or a tidy collector might give, each well within a name's limit; together
# longer than 300 characters.
DEEP = [
    "Ripper-Ausgabe 2019 – Disc 1",
    "Sammlung der Nachbarn aus dem dritten Stock",
    "Kassetten vom Dachboden, endlich digitalisiert",
    "Zweiter Versuch mit dem besseren Kabel",
    "Sortiert nach Jahrzehnt und Laune",
    "Achtziger Jahre – eher ruhig",
    "Lieder für lange Autofahrten im Regen",
    "Nur die guten Aufnahmen, wirklich",
]
assert len(os.path.join(WORLD, *DEEP)) > 300
SAMPLES += [(os.path.join(WORLD, name + ".mp3"),
             audio() + tag(title, artist, WORLD, "2011", "", 13, track=number), False)
            for number, (name, title, artist) in enumerate(WORLD_NAMES, 1)]
SAMPLES.append((os.path.join(WORLD, *DEEP, "Ganz unten.mp3"),
                audio() + tag("Ganz unten", "Tief verschachtelt", WORLD, "2019",
                              "Pfad \u00fcber 300 Zeichen", 12), False))


def writable(func, path, _):
    os.chmod(path, stat.S_IWUSR | stat.S_IRUSR)
    func(path)


def main():
    if len(sys.argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    out = sys.argv[1]
    if os.path.isdir(out):
        shutil.rmtree(os.fsencode(out), onerror=writable)
    for name, data, read_only in SAMPLES:
        path = os.path.join(os.fsencode(out), name.encode("utf-8"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        if read_only:
            # Wine shows a file without write permission as read-only.
            os.chmod(path, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
    return 0


if __name__ == "__main__":
    sys.exit(main())
