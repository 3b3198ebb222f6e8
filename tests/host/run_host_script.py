#!/usr/bin/env python3
"""Runs host.exe against the stub tip module and compares its transcript.

Usage: run_host_script.py <host.exe> <StubTip.dll> <tests/host source dir>

One host process runs stub.script (on i686 also caller-pops.script, against
a stub whose ModulCreate leaves its arguments on the stack) with ModulCreate
arguments that differ from each other, so a swapped register or stack slot
shows. It starts in a temporary directory (the screenshot lands there) and
hands the tip a subdirectory with --dir. On x86_64 a few quick runs check
--help and the refusals. HostMessage broadcasts from other processes (tests
running in parallel) are left out of the comparison.
"""
import difflib
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

WINE_RUN = os.environ["FW_WINE_RUN"]
ARCH = os.environ.get("FW_ARCH", "x86_64")

CREATE_ARGS = ["--left", "-5", "--top", "7", "--width", "321", "--height", "234",
               "--wintype", "19", "--lang", "1", "--caption", "\u00dcbung; 1",
               "--hint", "Tipp", "--valid", "0x80000001", "--helpid", "-3"]

failures = []


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run_host(host, args, cwd):
    result = subprocess.run([WINE_RUN, host] + args, cwd=cwd, capture_output=True)
    out = result.stdout.decode("latin-1").replace("\r\n", "\n")
    err = result.stderr.decode("latin-1").replace("\r\n", "\n")
    return result.returncode, out, err


def check(condition, message):
    if not condition:
        failures.append(message)


def transcript_lines(out, tip_dir):
    lines = []
    for line in out.splitlines():
        if line.startswith("broadcast ") and line.endswith(" from another thread"):
            continue
        # Wine reports the directory in the case it was given.
        lines.append(re.sub(re.escape(tip_dir), "<dir>", line, flags=re.IGNORECASE))
    return lines


def check_bitmap(path, expected_width, expected_height):
    if not os.path.exists(path):
        failures.append("no screenshot at " + path)
        return
    data = open(path, "rb").read()
    check(data[:2] == b"BM", "screenshot is not a BMP file")
    size, _, offset = struct.unpack("<IIi", data[2:14])
    _, width, height, planes, bits, compression = struct.unpack("<IiiHHI", data[14:34])
    check(size == len(data), "BMP size field %d, file %d bytes" % (size, len(data)))
    check((width, height, bits, compression) == (expected_width, expected_height, 24, 0),
          "BMP %dx%d %d bits, compression %d" % (width, height, bits, compression))
    stride = (width * 3 + 3) & ~3
    check(offset + stride * height == len(data), "BMP pixel data does not fill the file")
    # The stub paints its client area RGB 20 80 C0; rows are stored bottom-up.
    x, y = width // 2, height // 2
    at = offset + (height - 1 - y) * stride + 3 * x
    blue, green, red = data[at:at + 3]
    check((red, green, blue) == (0x20, 0x80, 0xC0),
          "screenshot centre is %02X%02X%02X, not the stub's 2080C0" % (red, green, blue))


def main():
    host, stub, source = sys.argv[1:4]
    bin_dir = os.path.dirname(os.path.abspath(stub))
    work = tempfile.mkdtemp(prefix="host-script-")
    try:
        tip_dir = os.path.join(work, "Musik Ordner")
        os.mkdir(tip_dir)
        script = open(os.path.join(source, "stub.script")).read()
        expected = open(os.path.join(source, "stub.expected")).read().splitlines()
        if ARCH == "i686":
            caller_pops = windows_path(os.path.join(bin_dir, "StubTipCallerPops.dll"))
            script += open(os.path.join(source, "caller-pops.script")).read().replace(
                "{caller_pops}", caller_pops)
            expected += open(os.path.join(source, "caller-pops.expected")).read().splitlines()
        script_file = os.path.join(work, "test.script")
        with open(script_file, "w") as f:
            f.write(script)

        code, out, err = run_host(host, ["--module", windows_path(stub), "--dir",
                                         windows_path(tip_dir), "--script", "test.script"]
                                  + CREATE_ARGS, work)
        got = transcript_lines(out, windows_path(work))
        check(code == 0, "host.exe ended with %d; stderr: %s" % (code, err))
        if got != expected:
            failures.append("transcript differs:\n" + "\n".join(
                difflib.unified_diff(expected, got, "expected", "host.exe", lineterm="")))
        check_bitmap(os.path.join(work, "stub.bmp"), 300, 200)

        if ARCH != "i686":
            # What scripts/run asks for on a machine without a display.
            code, out, err = run_host(host, ["--module", windows_path(stub), "--screenshot",
                                             "shot.bmp"] + CREATE_ARGS, work)
            check(code == 0 and out.endswith("create 0\nscreenshot 321 234\n"),
                  "--screenshot ended with %d, stdout %r, stderr %r" % (code, out, err))
            check_bitmap(os.path.join(work, "shot.bmp"), 321, 234)

            code, out, _ = run_host(host, ["--help"], work)
            check(code == 0 and "--module <path>" in out and "screenshot <file.bmp>" in out,
                  "--help ended with %d and printed:\n%s" % (code, out))
            # Refusals come before anything is loaded or called.
            for args, status, reason in [
                    (["--left", "ten"], 1, '--left: "ten" is not a 32-bit number'),
                    (["--module", windows_path(stub), "--do", "create; crate"], 1,
                     'script line 1: unknown command "crate"'),
                    (["--module", windows_path(os.path.join(work, "Fehlt.dll")), "--do", "quit"],
                     2, "Cannot load"),
                    (["--module", windows_path(stub), "--dir",
                      windows_path(os.path.join(work, "fehlt")), "--do", "create"], 2, ""),
            ]:
                code, out, err = run_host(host, args, work)
                check(code == status and reason in err and "stub create" not in out,
                      "%s: ended with %d (not %d), stdout %r, stderr %r"
                      % (" ".join(args), code, status, out, err))
    finally:
        shutil.rmtree(work, ignore_errors=True)

    for failure in failures:
        print("FAILED: " + failure)
    if not failures:
        print("host.exe transcript as expected (%s)" % ARCH)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
