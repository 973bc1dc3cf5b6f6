#!/usr/bin/env python3
"""Checks the release archive that scripts/release.sh left in dist/ against the checkout:
its files, the exe the tests ran, the version resource, and the version CHANGELOG and README show.

Usage: release_contents.py ROOT TESTED_EXE. Prints a PASS or FAIL line per check; the exit
status is non-zero when any check fails.
"""
import hashlib
import re
import struct
import subprocess
import sys
import tempfile
import zipfile

root, tested_exe = sys.argv[1], sys.argv[2]
results = []


def check(name, ok, why=""):
    results.append(ok)
    print(f"PASS {name}" if ok else f"FAIL {name}: {why}")


def read(path, mode="rb"):
    with open(path, mode) as f:
        return f.read()


def sha256(data):
    return hashlib.sha256(data).hexdigest()


def binutils(tool, *args):
    """The output of a mingw-w64 binutils tool (the ones the build itself uses)."""
    return subprocess.run([f"i686-w64-mingw32-{tool}", *args], check=True, text=True,
                          capture_output=True).stdout


def version_info(path):
    """The fixed file and product versions and the strings of the exe's version resource."""
    rc = binutils("windres", "-i", path, "-O", "rc")
    fixed = lambda key: tuple(int(n) for n in re.search(rf"^ {key} ([\d, ]+)$", rc, re.M)
                              .group(1).split(","))
    strings = dict(re.findall(r'^ +VALUE "(\w+)", "(.*)"$', rc, re.M))
    return fixed("FILEVERSION"), fixed("PRODUCTVERSION"), strings


def main():
    cache = read(f"{root}/build/release/CMakeCache.txt", "r")
    version = re.search(r"^CMAKE_PROJECT_VERSION:STATIC=(.*)$", cache, re.M).group(1)
    name = f"Pimbrel-{version}.zip"
    archive = read(f"{root}/dist/{name}")

    z = zipfile.ZipFile(f"{root}/dist/{name}")
    bad = z.testzip()
    names = sorted(z.namelist())
    wanted = sorted(["Pimbrel.exe", "Pimbrel-Help.txt", "LICENSE.txt"])
    check("archive-files", bad is None and names == wanted,
          f"damaged member {bad}" if bad else f"holds {names}, wanted {wanted}")
    if not results[-1]:
        return 1
    files = {n: z.read(n) for n in names}

    sums = read(f"{root}/dist/SHA256SUMS", "r")
    check("checksum", sums == f"{sha256(archive)}  {name}\n", f"SHA256SUMS reads {sums!r}")

    exe, tested = files["Pimbrel.exe"], read(tested_exe)
    check("exe-is-tested-exe", exe == tested,
          f"archive {sha256(exe)[:16]}, {tested_exe} {sha256(tested)[:16]}")

    pe = struct.unpack_from("<I", exe, 0x3C)[0]  # the COFF header follows the PE signature
    stamp, _, symbols = struct.unpack_from("<III", exe, pe + 8)
    check("exe-stripped-unstamped", stamp == 0 and symbols == 0,
          f"link time stamp {stamp}, {symbols} symbols")

    licence = read(f"{root}/LICENSE", "r")
    notice = re.search(r"^Copyright .*$", licence, re.M).group(0)
    numbers = tuple(int(n) for n in version.split(".")) + (0,)
    want = {"FileVersion": version, "ProductVersion": version, "ProductName": "Pimbrel",
            "OriginalFilename": "Pimbrel.exe"}
    with tempfile.NamedTemporaryFile(suffix=".exe") as f:
        f.write(exe)
        f.flush()
        try:
            file_version, product_version, strings = version_info(f.name)
        except (subprocess.CalledProcessError, AttributeError) as e:
            file_version, product_version, strings = None, None, {"error": str(e)}
    check("version-resource",
          (file_version, product_version) == (numbers, numbers) and
          {k: strings.get(k) for k in want} == want and
          strings.get("LegalCopyright", "").startswith(notice) and
          "MIT License" in strings.get("LegalCopyright", ""),
          f"file {file_version}, product {product_version}, strings {strings}")

    help_text = files["Pimbrel-Help.txt"]
    lines = help_text.split(b"\r\n")
    try:
        decoded = help_text.decode("cp1252")
    except UnicodeDecodeError:
        decoded = ""
    check("help-text", f"Pimbrel {version}" in decoded and lines[-1] == b"" and
          not any(b"\r" in l or b"\n" in l for l in lines),
          "wanted CR LF lines in code page 1252 that name the version")

    check("licence", files["LICENSE.txt"] == licence.replace("\n", "\r\n").encode(),
          "LICENSE.txt differs from LICENSE")

    # Above it, a "## Next" entry may gather the changes that the next version will bring.
    top = re.search(r"^## (?!Next$)(.*)$", read(f"{root}/CHANGELOG.md", "r"), re.M)
    check("changelog", top is not None and top.group(1) == version,
          f"the top version of CHANGELOG.md is {top.group(1) if top else 'missing'}, the build {version}")

    # The README names the archive and states the exe's size; neither may drift from the build.
    readme = read(f"{root}/README.md", "r")
    named = set(re.findall(r"Pimbrel-\d+\.\d+\.\d+\.zip", readme))
    check("readme-version", named == {name}, f"README names {sorted(named)}, the build {name}")
    size = re.search(r"`Pimbrel\.exe` \(about (\d+) KB", readme)
    actual_kb = len(exe) / 1024
    check("readme-exe-size", size is not None and abs(int(size.group(1)) - actual_kb) <= actual_kb / 10,
          f"README says {size.group(1) if size else 'nothing'} KB, the exe has {actual_kb:.0f} KB")
    return 0 if all(results) else 1


sys.exit(main())
