#!/usr/bin/python3
"""ID3v1 tags written by programs nobody here wrote must load through tagtool.exe (LoadTag), and
tags saved by tagtool.exe (SaveTag) must read back in those programs with the track number kept,
and with the genre they set kept where the editor's list has none selected (genre -1).

usage: interop.py <tagtool.exe>     (needs id3v2, eyeD3 and python3-mutagen; runs tagtool under
                                     Wine through $FW_WINE_RUN)
"""
import os
import shutil
import subprocess
import sys
import tempfile

import eyed3
import eyed3.id3
from mutagen._constants import GENRES
from mutagen.id3 import COMM, TALB, TCON, TDRC, TIT2, TPE1, TRCK, MakeID3v1, ParseID3v1

failures = []
checks = 0


def check(what, got, expected):
    global checks
    checks += 1
    if got != expected:
        failures.append(f"{what}: got {got!r}, expected {expected!r}")


def silent_mp3(path, frames=20):
    # MPEG-1 layer III, 128 kbit/s, 44.1 kHz: 417-byte frames of zeros are silence.
    frame = bytes([0xFF, 0xFB, 0x90, 0x00]) + bytes(413)
    with open(path, "wb") as f:
        f.write(frame * frames)


def run(cmd):
    p = subprocess.run(cmd, capture_output=True, text=True, encoding="latin-1")
    if p.returncode != 0:
        raise SystemExit(f"{cmd[0]} failed ({p.returncode}): {p.stderr.strip()}")
    return p.stdout


def tagtool(*args):
    wine_run = os.environ.get("FW_WINE_RUN")
    cmd = ([wine_run] if wine_run else []) + [TAGTOOL, *args]
    return run(cmd)


def tagtool_load(paths):
    blocks = {}
    for block in tagtool("load", *paths).replace("\r", "").split("\n\n"):
        if not block.strip():
            continue
        fields = dict(line.split("=", 1) for line in block.split("\n") if "=" in line)
        blocks[os.path.basename(fields.pop("file").replace("\\", "/"))] = fields
    return blocks


def write_with_mutagen(path, title, artist, album, year, comment, genre, track):
    frames = {"TIT2": TIT2(encoding=0, text=title), "TPE1": TPE1(encoding=0, text=artist),
              "TALB": TALB(encoding=0, text=album), "TDRC": TDRC(encoding=0, text=year),
              "COMM": COMM(encoding=0, lang="eng", desc="", text=comment),
              "TRCK": TRCK(encoding=0, text=str(track)), "TCON": TCON(encoding=0, text=f"({genre})")}
    with open(path, "ab") as f:
        f.write(MakeID3v1(frames))


def read_with_mutagen(path):
    with open(path, "rb") as f:
        f.seek(-128, os.SEEK_END)
        frames = ParseID3v1(f.read(128))

    def text(fid):
        return str(frames[fid].text[0]) if fid in frames else ""

    genre = text("TCON")
    return {"title": text("TIT2"), "artist": text("TPE1"), "album": text("TALB"),
            "year": text("TDRC"), "comment": text("COMM"), "track": text("TRCK") or "0",
            "genre": genre if genre else "-1"}


def eyed3_tag(path):
    return eyed3.load(path, tag_version=eyed3.id3.ID3_V1).tag


def read_with_eyed3(path):
    tag = eyed3_tag(path)
    return {"title": tag.title or "", "artist": tag.artist or "", "album": tag.album or "",
            "year": str(tag.getBestDate() or ""),
            "comment": tag.comments[0].text if len(tag.comments) else "",
            "genre": str(tag.genre.id) if tag.genre else "-1",
            "track": str(tag.track_num[0] or 0)}


# name -> (writer, title, artist, album, year, comment, genre, track)
CASES = {
    "id3v2.mp3": ("id3v2", "Written by id3v2", "Some Artist", "The Album", "1999",
                  "A comment", 17, 5),
    "eyed3.mp3": ("eyeD3", "Written by eyeD3", "Other Artist", "Second Album", "2004",
                  "Exactly twenty-eight chars!!", 8, 7),
    # Latin-1 letters, which are the same bytes in the editor's code page 1252.
    "mutagen.mp3": ("mutagen", "Thirty characters of title ok", "Café Müller", "Third Album",
                    "2011", "Mutagen comment", 18, 12),
    # A genre of the longer list that grew later: the editor shows none for it.
    "baroque.mp3": ("eyeD3", "Written with a later genre", "Fourth Artist", "Fourth Album",
                    "2016", "Genre 150", "Baroque", 3),
}
LATER_GENRES = {"Baroque": 150}


def loaded_genre(genre):
    return str(genre) if genre not in LATER_GENRES else "-1"

# What tagtool saves into each file afterwards: comments longer than 28 characters are cut there.
SAVED = {
    "id3v2.mp3": ("New title", "New artist", "New album", "2024",
                  "A comment longer than 28 characters", 148),
    "eyed3.mp3": ("Title", "X", "", "1977", "short", 0),
    "mutagen.mp3": ("Z" * 34, "Grüße", "Album", "202412", "c", -1),
    "baroque.mp3": ("Only the title changed", "Fourth Artist", "Fourth Album", "2016",
                    "Genre 150", -1),
}


def main():
    workdir = tempfile.mkdtemp(prefix="tag-interop-")
    try:
        for name, (writer, title, artist, album, year, comment, genre, track) in CASES.items():
            path = os.path.join(workdir, name)
            silent_mp3(path)
            if writer == "id3v2":
                run(["id3v2", "-1", "-t", title, "-a", artist, "-A", album, "-y", year,
                     "-c", comment, "-g", str(genre), "-T", str(track), path])
            elif writer == "eyeD3":
                run(["eyeD3", "--v1", "-t", title, "-a", artist, "-A", album, "-Y", year,
                     "-c", comment, "-G", str(genre), "-n", str(track), path])
            else:
                write_with_mutagen(path, title, artist, album, year, comment, genre, track)
        untagged = os.path.join(workdir, "untagged.mp3")
        silent_mp3(untagged)

        names = list(CASES) + ["untagged.mp3"]
        loaded = tagtool_load([os.path.join(workdir, n) for n in names])
        check("untagged present", loaded["untagged.mp3"].get("present"), "0")
        for name, (writer, title, artist, album, year, comment, genre, track) in CASES.items():
            check(f"{writer} present", loaded[name].get("present"), "1")
            expected = {"present": "1", "title": title, "artist": artist, "album": album,
                        "year": year, "comment": comment, "genre": loaded_genre(genre),
                        "track": str(track)}
            check(f"LoadTag of {writer}'s tag", loaded[name], expected)

        sizes = {n: os.path.getsize(os.path.join(workdir, n)) for n in CASES}
        save_args = []
        for name, (title, artist, album, year, comment, genre) in SAVED.items():
            save_args += [os.path.join(workdir, name), title, artist, album, year, comment,
                          str(genre)]
        tagtool("save", *save_args)
        for name, (title, artist, album, year, comment, genre) in SAVED.items():
            path = os.path.join(workdir, name)
            track = str(CASES[name][7])
            written = CASES[name][6]
            kept = str(LATER_GENRES.get(written, written)) if genre == -1 else str(genre)
            check(f"{name} size", os.path.getsize(path), sizes[name])
            expected = {"title": title[:30], "artist": artist, "album": album, "year": year[:4],
                        "comment": comment[:28], "genre": kept, "track": track}
            check(f"mutagen reading {name}", read_with_mutagen(path), expected)
            check(f"eyeD3 reading {name}", read_with_eyed3(path), expected)
        check("eyeD3's genre name after a title edit",
              eyed3_tag(os.path.join(workdir, "baroque.mp3")).genre.name, "Baroque")
        # The names the editor shows for bytes its own list lacks are this library's.
        peer = dict(line.split("=", 1) for line in tagtool("genres").replace("\r", "").split("\n")
                    if "=" in line)
        check("peer genre names", peer, {str(b): GENRES[b] for b in range(149, len(GENRES))})
    finally:
        shutil.rmtree(workdir)

    for f in failures:
        print("FAIL", f)
    print(f"{checks - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    TAGTOOL = sys.argv[1]
    sys.exit(main())
