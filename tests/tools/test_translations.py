"""Checks that every translation is whole: each text of the sources has a finished translation
and none is left over from texts that are gone. The sources are scanned again into a copy of each
file, so a text added to the program without its translation is found before a player sees it.

python3 test_translations.py --lupdate PATH --source SOURCE_DIR
"""
import argparse
import pathlib
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

# Where the program's texts are written: its code and its forms.
SCANNED = ["app", "pictures", "settings", "about", "audio", "files", "forms", "engine", "resources"]


def problems(ts_file):
    found = []
    for context in ET.parse(ts_file).getroot().iter("context"):
        for message in context.iter("message"):
            source = message.findtext("source")
            translation = message.find("translation")
            kind = translation.get("type")
            if kind or not (translation.text or "").strip():
                found.append(f"{context.findtext('name')}: {source!r} {kind or 'empty'}")
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--lupdate", required=True)
    parser.add_argument("--source", required=True, type=pathlib.Path)
    args = parser.parse_args()
    failures = []
    ts_files = sorted((args.source / "translations").glob("*.ts"))
    if not ts_files:
        failures.append("no translations")
    with tempfile.TemporaryDirectory() as scratch:
        for ts_file in ts_files:
            failures += [f"{ts_file.name}: {p}" for p in problems(ts_file)]
            rescanned = pathlib.Path(scratch) / ts_file.name
            shutil.copy(ts_file, rescanned)
            subprocess.run([args.lupdate, "-silent", "-locations", "none",
                            *[str(args.source / d) for d in SCANNED], "-ts", str(rescanned)],
                           check=True)
            failures += [f"{ts_file.name} after scanning the sources: {p}"
                         for p in problems(rescanned)]
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
