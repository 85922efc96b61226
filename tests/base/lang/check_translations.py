#!/usr/bin/env python3
"""Checks the English translation file against the sources: lupdate reads the sources into a
copy of the file, and every text it holds must have a finished English translation with the same
placeholders (%1 … and printf's %5.1f …) as its Japanese source.

usage: check_translations.py --lupdate LUPDATE --ts FILE.ts --options OPTION... --sources DIR...
       check_translations.py --lupdate LUPDATE --self-test FAULTS_DIR --options OPTION...
The self-test runs the check over the small sources and files in FAULTS_DIR: good.ts passes and
every other .ts there fails.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

# printf's conversions first: "%5.1f" is one placeholder, not "%5" and a text.
PLACEHOLDER = re.compile(r"%(?:[-+#0]*[0-9]*(?:\.[0-9]+)?[diouxXeEfgGs]|L?[1-9][0-9]?)")


def placeholders(text):
    return sorted(PLACEHOLDER.findall(text or ""))


def faults(ts_path):
    found = []
    for context in ET.parse(ts_path).getroot().iter("context"):
        name = context.findtext("name", "")
        for message in context.iter("message"):
            source = message.findtext("source", "")
            translation = message.find("translation")
            kind = translation.get("type") if translation is not None else None
            if kind in ("vanished", "obsolete"):
                continue
            where = "[%s] %r" % (name, source)
            if translation is None or kind == "unfinished" or not (translation.text or "").strip():
                found.append("no finished English translation: " + where)
            elif placeholders(source) != placeholders(translation.text):
                found.append("placeholders differ (%s / %s): %s -> %r" % (
                    " ".join(placeholders(source)) or "none",
                    " ".join(placeholders(translation.text)) or "none", where, translation.text))
    return found


def check(lupdate, ts_path, options, sources):
    """The faults of `ts_path` once lupdate has brought a copy of it up to date with `sources`."""
    with tempfile.TemporaryDirectory() as work:
        copy = os.path.join(work, os.path.basename(ts_path))
        shutil.copyfile(ts_path, copy)
        run = subprocess.run([lupdate] + options + sources + ["-ts", copy],
                             stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        if run.returncode != 0:
            return ["lupdate failed:\n" + run.stdout]
        return faults(copy)


def take(args, flag):
    """The values after `flag` up to the next of our own flags."""
    if flag not in args:
        return []
    i = args.index(flag) + 1
    values = []
    while i < len(args) and args[i] not in ("--lupdate", "--ts", "--options", "--sources",
                                            "--self-test"):
        values.append(args[i])
        i += 1
    return values


def main():
    args = sys.argv[1:]
    lupdate = take(args, "--lupdate")
    options = take(args, "--options")
    if len(lupdate) != 1:
        sys.exit(__doc__)
    self_test = take(args, "--self-test")
    if self_test:
        folder = self_test[0]
        wrong = []
        for name in sorted(os.listdir(folder)):
            if not name.endswith(".ts"):
                continue
            found = check(lupdate[0], os.path.join(folder, name), options, [folder])
            expected_good = name == "good.ts"
            print("%s: %s" % (name, "; ".join(found) or "no fault"))
            if bool(found) == expected_good:
                wrong.append(name)
        if wrong:
            sys.exit("the check judged these wrongly: " + ", ".join(wrong))
        return
    ts, sources = take(args, "--ts"), take(args, "--sources")
    if len(ts) != 1 or not sources:
        sys.exit(__doc__)
    found = check(lupdate[0], ts[0], options, sources)
    for f in found:
        print(f)
    if found:
        sys.exit("%d fault(s) in %s: add or finish the English texts (see README, Translations)"
                 % (len(found), ts[0]))
    print("every text has its English translation")


if __name__ == "__main__":
    main()
