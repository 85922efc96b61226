#!/usr/bin/env python3
"""Writes the English texts of a Qt translation file as the C++ catalogue the libraries without
Qt look their texts up in (lang/catalogue.h): every finished translation, sorted by context and
Japanese source so that a binary search finds it.

usage: ts_catalogue.py TRANSLATIONS.ts OUT.cpp
"""
import sys
import xml.etree.ElementTree as ET


def c_string(text):
    out = []
    for byte in text.encode("utf-8"):
        ch = chr(byte)
        if ch in '"\\?':
            out.append("\\" + ch)
        elif 0x20 <= byte < 0x7F:
            out.append(ch)
        else:
            # Octal escapes end after three digits, so a following digit cannot join them.
            out.append("\\%03o" % byte)
    return '"' + "".join(out) + '"'


def entries(ts_path):
    found = {}
    for context in ET.parse(ts_path).getroot().iter("context"):
        name = context.findtext("name", "")
        for message in context.iter("message"):
            translation = message.find("translation")
            if translation is None or translation.get("type") in ("unfinished", "vanished", "obsolete"):
                continue
            source = message.findtext("source", "")
            english = translation.text or ""
            if english:
                found[(name, source)] = english
    return sorted(found.items(), key=lambda kv: (kv[0][0].encode(), kv[0][1].encode()))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    rows = entries(sys.argv[1])
    lines = [
        "// Generated from " + sys.argv[1].rsplit("/", 1)[-1] + " by scripts/ts_catalogue.py.",
        '#include "lang/catalogue.h"',
        "",
        "namespace humidraw {",
        "",
        "const CatalogueEntry kCatalogue[] = {",
    ]
    for (context, source), english in rows:
        lines.append("    {%s, %s, %s}," % (c_string(context), c_string(source), c_string(english)))
    if not rows:
        lines.append('    {"", "", ""},')
    lines += [
        "};",
        "const std::size_t kCatalogueSize = %d;" % len(rows),
        "",
        "}  // namespace humidraw",
        "",
    ]
    text = "\n".join(lines)
    try:
        with open(sys.argv[2] + ".tmp", "w", encoding="ascii") as f:
            f.write(text)
        import os
        os.replace(sys.argv[2] + ".tmp", sys.argv[2])
    except OSError as e:
        sys.exit("ts_catalogue.py: cannot write %s: %s" % (sys.argv[2], e))


if __name__ == "__main__":
    main()
