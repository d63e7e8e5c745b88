#!/usr/bin/env python3
"""Reads every RTF file of a folder with velmora-convert --text and with LibreOffice (one soffice
run for the whole folder, text export in UTF-8), compares the two texts character for character
after turning every run of white space (blanks of any width, tabs, line ends) into one blank,
and prints the share that agree. Files named in the folder's differs.txt are expected to differ
(each line: name, reason).
Exit status: 0 when exactly the expected files differ, 1 otherwise, 77 when soffice is missing."""

import os
import re
import shutil
import subprocess
import sys
import tempfile


def normalised(text):
    # Any Unicode white space: LibreOffice turns a run of blanks into six-per-em spaces (U+2006)
    # between ordinary ones, which is layout, not text.
    return re.sub(r"\s+", " ", text.lstrip("\ufeff")).strip()


def first_difference(a, b):
    i = next((k for k in range(min(len(a), len(b))) if a[k] != b[k]), min(len(a), len(b)))
    return i, a[max(0, i - 30):i + 30], b[max(0, i - 30):i + 30]


def main():
    convert, folder = sys.argv[1], sys.argv[2]
    soffice = shutil.which("soffice")
    if soffice is None:
        print("SKIPPED: soffice is not installed")
        return 77
    names = sorted(n for n in os.listdir(folder) if n.lower().endswith(".rtf"))  # License.Rtf too
    expected = {}
    differs_list = os.path.join(folder, "differs.txt")
    if os.path.exists(differs_list):
        for line in open(differs_list, encoding="utf-8"):
            if line.strip() and not line.startswith("#"):
                name, _, reason = line.partition(":")
                expected[name.strip()] = reason.strip()
    with tempfile.TemporaryDirectory(prefix="velmora-lo-") as tmp:
        # A private profile, so that a user's running LibreOffice or settings play no part.
        subprocess.run(["timeout", "-k", "10", "600", soffice, "-env:UserInstallation=file://" + tmp + "/profile",
                        "--headless", "--convert-to", "txt:Text (encoded):UTF8", "--outdir", tmp + "/lo"]
                       + [os.path.join(folder, n) for n in names],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
        agree, failures = 0, []
        for name in names:
            lo_path = os.path.join(tmp, "lo", name[:-4] + ".txt")
            if not os.path.exists(lo_path):
                failures.append(f"{name}: LibreOffice gave no text")
                continue
            theirs = normalised(open(lo_path, encoding="utf-8").read())
            run = subprocess.run([convert, "--text", os.path.join(folder, name)], capture_output=True, timeout=60,
                                 check=False)
            if run.returncode != 0:
                failures.append(f"{name}: velmora-convert failed: {run.stderr.decode(errors='replace').strip()}")
                continue
            ours = normalised(run.stdout.decode("utf-8"))
            if ours == theirs:
                agree += 1
                if name in expected:
                    failures.append(f"{name}: agrees, but differs.txt says it differs ({expected[name]})")
            elif name in expected:
                print(f"differs as expected: {name}: {expected[name]}")
            else:
                i, a, b = first_difference(ours, theirs)
                failures.append(f"{name}: differs at {i}\n  velmora:     {a!r}\n  libreoffice: {b!r}")
    print(f"agree with LibreOffice: {agree} of {len(names)} ({100.0 * agree / max(1, len(names)):.1f}%)")
    for failure in failures:
        print("FAIL " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
