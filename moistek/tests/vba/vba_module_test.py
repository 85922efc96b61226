#!/usr/bin/env python3
"""The VBA module against the library's header: every plain function (doubles in by value, a
double out) and V_Ver has a Declare of Moistek.dll in both branches of the module, with the
header's arguments in their order, by value, and a cell function of the same arguments calling
it; and the module declares nothing of Moistek.dll that the header does not have.

  vba_module_test.py MODULE HEADER
"""
import re
import sys

DECLARE = re.compile(
    r'^\s*Public Declare (PtrSafe )?Function (\w+) Lib "([^"]+)" \(([^)]*)\) As (\w+)\s*$')
CELL_FUNCTION = re.compile(r'^Public Function (\w+)\(([^)]*)\) As (\w+)\s*$')


def header_functions(header):
    """name -> argument names of the plain functions, and whether V_Ver is declared."""
    text = open(header, encoding="utf-8").read()
    plain = {}
    for m in re.finditer(r"MOISTEK_API\s+(double|char\s*\*|wchar_t\s*\*)\s*(?:MOISTEK_CALL\s+)?"
                         r"(V_\w+)\s*\(([^)]*)\)\s*;", text):
        returned, name, args = m.group(1), m.group(2), m.group(3).strip()
        if name == "V_Ver":
            plain[name] = []
            continue
        params = [p.split() for p in args.split(",")] if args and args != "void" else []
        # Only the plain functions: every argument a double by value, a double returned.
        if returned == "double" and params and all(len(p) == 2 and p[0] == "double"
                                                   for p in params):
            plain[name] = [p[1] for p in params]
    return plain


def arguments(text):
    """Names of "ByVal X As Double, ..."; None when an argument is not a double by value."""
    if not text.strip():
        return []
    names = []
    for part in text.split(","):
        m = re.match(r"^\s*ByVal (\w+) As Double\s*$", part)
        if not m:
            return None
        names.append(m.group(1))
    return names


def branches(lines):
    """The Declare lines of the #If VBA7 branch and of the #Else branch."""
    seven, older, where = [], [], None
    for line in lines:
        s = line.strip()
        if s.startswith("#If VBA7"):
            where = seven
        elif s.startswith("#Else"):
            where = older
        elif s.startswith("#End If"):
            where = None
        elif "Declare " in s and not s.startswith("'"):
            if where is None:
                raise ValueError("Declare outside the #If VBA7 branches: " + s)
            where.append(s)
    return seven, older


def check(module, header):
    problems = []
    raw = open(module, "rb").read()
    if b"\n" in raw.replace(b"\r\n", b""):
        problems.append("the module's lines do not all end in CR LF")
    lines = raw.decode("ascii").splitlines()
    plain = header_functions(header)
    if len(plain) < 22:
        problems.append("the header gives only %d plain functions" % len(plain))
    seven, older = branches(lines)
    for label, declares, ptrsafe in (("#If VBA7", seven, True), ("#Else", older, False)):
        found = {}
        for d in declares:
            m = DECLARE.match(d)
            if not m:
                if 'Lib "Moistek.dll"' in d or "Public" in d:
                    problems.append("%s: not understood: %s" % (label, d))
                continue
            safe, name, lib, args, returned = m.groups()
            if lib != "Moistek.dll":
                continue
            if bool(safe) != ptrsafe:
                problems.append("%s: %s %s PtrSafe" % (label, name,
                                                         "lacks" if ptrsafe else "has"))
            if name in found:
                problems.append("%s: %s declared twice" % (label, name))
            found[name] = (arguments(args), returned)
        for name, params in sorted(plain.items()):
            if name not in found:
                problems.append("%s: no Declare of %s" % (label, name))
                continue
            args, returned = found[name]
            want = "String" if name == "V_Ver" else "Double"
            if args != params:
                problems.append("%s: %s takes %s, the library %s" % (label, name, args, params))
            if returned != want:
                problems.append("%s: %s returns %s, not %s" % (label, name, returned, want))
        for name in sorted(set(found) - set(plain)):
            problems.append("%s: %s is declared but the library has no such plain function"
                            % (label, name))

    cells = {}
    body = {}
    current = None
    for line in lines:
        m = CELL_FUNCTION.match(line)
        if m:
            current = m.group(1)
            cells[current] = (arguments(m.group(2)), m.group(3))
            body[current] = []
        elif line.startswith("End Function"):
            current = None
        elif current:
            body[current].append(line.strip())
    for name, params in sorted(plain.items()):
        if name == "V_Ver":
            continue
        cell = name[2:]
        if cell not in cells:
            problems.append("no cell function %s" % cell)
            continue
        args, returned = cells[cell]
        if args != params or returned != "Double":
            problems.append("cell function %s(%s) As %s, not (%s) As Double" %
                            (cell, args, returned, params))
        call = "%s = %s(%s)" % (cell, name, ", ".join(params))
        if body[cell] != [call]:
            problems.append("cell function %s does not just return %s" % (cell, call))
    return problems


def main(argv):
    if len(argv) != 3:
        print(__doc__)
        return 2
    problems = check(argv[1], argv[2])
    for p in problems:
        print("FAIL: " + p)
    if not problems:
        print("the module declares the library's plain functions and V_Ver")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
