#!/usr/bin/env python3
"""Checks of the cross-built Moistek.dll, run by CTest.

  windows_dll.py exports OBJDUMP DLL MAP ARCH EXE
      the DLL's export table: the plain functions of the Linux build's export list (MAP)
      undecorated, the members of MoistekClass, nothing else; on i686 the plain functions are
      stdcall (each returns popping its arguments); only Windows' own DLLs are imported; and
      the program EXE, linked with the DLL's import library, imports only names it exports.
  windows_dll.py prepare WINE PREFIX
      makes the private Wine prefix the call tests run in (the first start takes a while).
  windows_dll.py version-reader WINE PREFIX EXE ARCH
      ReadVersionStrings of the DLL (in version_reader.exe) on its own file, one without version
      information and a missing one, in a Japanese locale (ANSI code page 932).
  windows_dll.py calls WINE PREFIX NATIVE EXE ARCH COUNT
      COUNT seeded cases for every export, written by the Linux build of export_calls (NATIVE),
      run by it and by the Windows build (EXE, beside Moistek.dll) under Wine; every result must
      be the Linux build's to the last bit; and V_Ver and the version resource must give the
      library's version.
  windows_dll.py libm-native NATIVE COUNT
      the DLL's exp, log and pow (glibc 2.36's), compiled natively in libm_match (NATIVE), against
      the C library on COUNT rounds of arguments: the generic build with the C library's FMA
      build masked by GLIBC_TUNABLES, and the FMA build (where the processor has FMA and AVX2).
  windows_dll.py libm WINE PREFIX NATIVE EXE ARCH COUNT
      the same functions as the cross compiler built them (libm_match.exe, EXE) under Wine:
      digests of their results must be the Linux C library's, for both builds.
Exit status 0 on success, 1 on a failure, 77 when the test cannot run here (skipped).
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIP = 77

PLAIN = """V_DB2PWS V_PW2AH V_ENDB2AH V_DBWB2AH V_DBSV2AH V_SVWB2AH V_DBRH2AH V_DBAH2EN
V_DBAH2WB V_DBAH2SV V_WBAH2DB V_SVAH2DB V_ENAH2DB V_RHAH2DB V_RHEN2DB V_RHWB2DB V_RHSV2DB
V_SVEN2DB V_DBAH2RH V_DBAH2RV V_AH2DP V_Ver""".split()
MEMBERS = ["MoistekClass::MoistekClass()", "MoistekClass::Verinfo()"] + [
    "MoistekClass::%s(double&, double&)" % n for n in ("F_DB2PWS", "F_PW2AH", "F_AH2DP")
] + [
    "MoistekClass::%s(double&, double&, double&)" % n for n in """F_PAPW2AH F_PAAH2PW
    F_ENDB2AH F_DBWB2AH F_DBSV2AH F_SVWB2AH F_DBRH2AH F_DBAH2EN F_DBAH2WB F_DBAH2SV F_WBAH2DB
    F_SVAH2DB F_ENAH2DB F_RHAH2DB F_RHEN2DB F_RHWB2DB F_RHSV2DB F_SVEN2DB F_DBAH2RH F_DBWB2RH
    F_DBAH2RV""".split()
] + [
    "MoistekClass::%s(double&, double&, double&, double&, double&, double&, double&)" % n
    for n in """C_DBRH C_DBAH C_DBEN C_DBWB C_DBSV C_RHAH C_RHEN C_RHWB C_RHSV C_AHEN C_AHWB
    C_AHSV C_ENWB C_ENSV C_WBSV""".split()
]
SYSTEM_DLLS = {"kernel32.dll", "msvcrt.dll", "user32.dll", "version.dll", "oleaut32.dll"}

# Every result must be the Linux build's to the last bit: the DLL carries the Linux C library's
# own exp, log and pow (glibc 2.36's, chosen by the processor as glibc chooses), and all the rest
# is the same C++ compiled for the same SSE2 arithmetic.

VERSION = "1.0.1.14"


def fail(message):
    print("FAIL: " + message)
    return 1


def run(command, **kwargs):
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                          check=False, **kwargs)


# --- the export table -------------------------------------------------------------------------

def read_exports(objdump, dll):
    """The export table: name -> RVA, and the image base."""
    out = run([objdump, "-p", dll])
    if out.returncode != 0:
        raise RuntimeError(out.stderr)
    text = out.stdout
    base = int(re.search(r"^ImageBase\s+([0-9a-fA-F]+)", text, re.M).group(1), 16)
    addresses = re.findall(r"^\s+\[\s*(\d+)\]\s+\+base\[\s*\d+\]\s+([0-9a-fA-F]+)", text, re.M)
    table = text.split("[Ordinal/Name Pointer] Table", 1)
    if len(table) != 2:
        raise RuntimeError("no export name table in " + dll)
    names = {}
    by_ordinal = {int(o): int(a, 16) for o, a in addresses}
    for line in table[1].splitlines()[1:]:
        m = re.match(r"^\s+\[\s*(\d+)\]\s+(\S+)$", line)
        if not m:
            break
        names[m.group(2)] = by_ordinal.get(int(m.group(1)))
    imports = {d.lower() for d in re.findall(r"DLL Name:\s+(\S+)", text)}
    return names, base, imports


def plain_names_of_map(map_file):
    """The C names of the Linux build's export list (before its C++ part)."""
    text = open(map_file, encoding="utf-8").read()
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    global_part = text.split("global:", 1)[1].split("extern", 1)[0]
    return set(re.findall(r"[A-Za-z_]\w*", global_part))


def demangle(names):
    out = run(["c++filt"], input="\n".join(names) + "\n")
    return out.stdout.splitlines() if out.returncode == 0 else list(names)


def pops_of(objdump, dll, address):
    """The bytes that each return of the function at `address` pops: its disassembly from the
    entry up to the next symbol."""
    out = run([objdump, "-d", "--start-address=0x%x" % address,
               "--stop-address=0x%x" % (address + 4096), dll])
    pops = []
    instructions = 0
    for line in out.stdout.splitlines():
        if re.match(r"^[0-9a-f]+ <.*>:$", line):
            if instructions:
                break  # the next function begins
            continue
        parts = line.split("\t")
        if len(parts) < 3 or not re.match(r"^\s*[0-9a-f]+:$", parts[0]):
            continue
        instructions += 1
        words = parts[2].split()
        if words and words[0] in ("ret", "retl", "retq", "lret"):
            pops.append(int(words[1][1:], 16) if len(words) > 1 and words[1].startswith("$")
                        else 0)
    return pops


def imported_from(objdump, exe, dll_name):
    """The names a program imports from one DLL."""
    out = run([objdump, "-p", exe])
    names, inside = [], False
    for line in out.stdout.splitlines():
        if "DLL Name:" in line:
            inside = line.split("DLL Name:", 1)[1].strip().lower() == dll_name.lower()
        elif inside:
            m = re.match(r"^\s+[0-9a-f]+\s+\d+\s+(\S+)$", line)
            if m:
                names.append(m.group(1))
            elif not line.strip():
                inside = False
    return names


def check_exports(objdump, dll, map_file, arch, exe):
    names, base, imports = read_exports(objdump, dll)
    failures = 0
    linked = imported_from(objdump, exe, "Moistek.dll")
    if len(linked) < len(PLAIN) - 1:
        failures += fail("%s imports only %d names from Moistek.dll" % (exe, len(linked)))
    for n in linked:
        if n not in names:
            failures += fail("%s imports %s, which Moistek.dll does not export" % (exe, n))
    plain = {n for n in names if not n.startswith("_Z")}
    for n in sorted(plain):
        if "@" in n or n.startswith("_"):
            failures += fail("%s is exported decorated" % n)
    expected_plain = plain_names_of_map(map_file)
    for n in sorted(set(PLAIN) - plain):
        failures += fail("%s is not exported" % n)
    for n in sorted(expected_plain - plain):
        failures += fail("%s (in the Linux export list) is not exported" % n)
    for n in sorted(plain - expected_plain):
        failures += fail("%s is exported but not in the Linux export list" % n)
    mangled = sorted(n for n in names if n.startswith("_Z"))
    members = set(demangle(mangled))
    for m in MEMBERS:
        if m not in members:
            failures += fail("%s is not exported" % m)
    for m in sorted(members):
        if not m.startswith("MoistekClass::"):
            failures += fail("%s is exported but is no member of MoistekClass" % m)
    for d in sorted(imports - SYSTEM_DLLS):
        failures += fail("imports %s, which Windows does not have" % d)
    if arch == "i686":
        # stdcall: the callee pops its arguments (8 bytes a double); V_Ver has none.
        for n in PLAIN:
            if n not in names or names[n] is None:
                continue
            arguments = 0 if n == "V_Ver" else (8 if n in ("V_DB2PWS", "V_PW2AH", "V_AH2DP")
                                                else 16)
            pops = pops_of(objdump, dll, base + names[n])
            if not pops or any(p != arguments for p in pops):
                failures += fail("%s returns popping %s bytes, not %d (stdcall)" %
                                 (n, pops, arguments))
    print("%s: %d plain names, %d members exported; imports %s" %
          (os.path.basename(dll), len(plain), len(members), ", ".join(sorted(imports))))
    return 1 if failures else 0


# --- Wine -------------------------------------------------------------------------------------

def wine_environment(prefix):
    env = dict(os.environ)
    env.update(WINEPREFIX=prefix, WINEDEBUG="-all", WINEARCH="win64",
               # no Mono or Gecko installers, no display
               WINEDLLOVERRIDES="mscoree,mshtml=")
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    return env


def stop_server(wine, prefix):
    """Ends the prefix's wine server (started by this test's own Wine calls)."""
    server = shutil.which("wineserver") or os.path.join(os.path.dirname(wine), "wineserver")
    if os.path.exists(server):
        subprocess.run([server, "-k"], env=wine_environment(prefix), stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60,
                       check=False)


def wine_run(wine, prefix, arguments, cwd, stdin_text=None, timeout=150, locale=None):
    # Wine's server outlives the program and keeps the streams it was given: hand it files,
    # never the test runner's pipes.
    with tempfile.TemporaryFile("w+") as out, tempfile.TemporaryFile("w+") as err:
        src = subprocess.DEVNULL
        infile = None
        if stdin_text is not None:
            infile = tempfile.TemporaryFile("w+")
            infile.write(stdin_text)
            infile.seek(0)
            src = infile
        try:
            env = wine_environment(prefix)
            if locale:
                env.update(LANG=locale, LC_ALL=locale)
            code = subprocess.run([wine] + arguments, cwd=cwd, env=env,
                                  stdin=src, stdout=out, stderr=err, timeout=timeout,
                                  check=False).returncode
        finally:
            if infile:
                infile.close()
        out.seek(0)
        err.seek(0)
        return code, out.read().replace("\r\n", "\n"), err.read()


def prepare(wine, prefix):
    if os.path.exists(os.path.join(prefix, "system.reg")):
        print("Wine prefix %s is ready" % prefix)
        return 0
    os.makedirs(prefix, exist_ok=True)
    try:
        code, _, err = wine_run(wine, prefix, ["wineboot", "--init"], cwd=prefix, timeout=200)
    except subprocess.TimeoutExpired:
        stop_server(wine, prefix)
        return fail("wineboot did not finish in 200 s")
    stop_server(wine, prefix)
    if code != 0 or not os.path.exists(os.path.join(prefix, "system.reg")):
        return fail("wineboot failed (%d): %s" % (code, err[-2000:]))
    print("Wine prefix %s made" % prefix)
    return 0


def runs_32_bit(wine):
    """Debian's wine runs 32-bit programs only with its 32-bit loader (package wine32:i386), and
    only on a kernel that runs 32-bit programs at all: the loader must start."""
    loaders = [p for p in ("/usr/lib/wine/wine", "/usr/lib/i386-linux-gnu/wine/wine")
               if os.path.exists(p)]
    if shutil.which("wine32"):
        loaders.append(shutil.which("wine32"))
    for loader in loaders:
        try:
            if run([loader, "--version"], timeout=60).returncode == 0:
                return True
        except (OSError, subprocess.TimeoutExpired):
            pass
    return False


NO_32_BIT = ("SKIP: Wine cannot run 32-bit programs here (it needs the Debian package "
             "wine32:i386 and a kernel that runs 32-bit programs)")


def ulp_distance(a, b):
    def ordered(bits):
        return bits if bits < 1 << 63 else (1 << 63) - bits
    return abs(ordered(int(a, 16)) - ordered(int(b, 16)))


def compare(native_lines, windows_lines):
    """Every line that is not the same, with the distance in ulp of each differing number."""
    failures = []
    if len(native_lines) != len(windows_lines):
        failures.append("%d results from Linux, %d from Windows" %
                        (len(native_lines), len(windows_lines)))
    for a, b in zip(native_lines, windows_lines):
        if a == b:
            continue
        x, y = a.split(), b.split()
        apart = []
        if len(x) == len(y):
            for u, v in zip(x, y):
                if u != v and re.fullmatch("[0-9a-f]{16}", u) and re.fullmatch("[0-9a-f]{16}", v):
                    apart.append(str(ulp_distance(u, v)))
        failures.append("Linux:   %s\n  Windows: %s%s" %
                        (a, b, "\n  ulp apart: " + " ".join(apart) if apart else ""))
    return failures


def calls(wine, prefix, native, exe, arch, count):
    if arch == "i686" and not runs_32_bit(wine):
        print(NO_32_BIT)
        return SKIP
    if not os.path.exists(os.path.join(prefix, "system.reg")):
        return fail("no Wine prefix at %s (the fixture windows.wineprefix makes it)" % prefix)
    cases = run([native, "cases", str(count)])
    if cases.returncode != 0:
        return fail("export_calls cases: " + cases.stderr)
    reference = run([native, "run"], input=cases.stdout)
    if reference.returncode != 0:
        return fail("Linux export_calls run failed:\n" + reference.stdout[-2000:])
    folder = os.path.dirname(os.path.abspath(exe))
    if not os.path.exists(os.path.join(folder, "Moistek.dll")):
        return fail("no Moistek.dll beside " + exe)
    try:
        code, out, err = wine_run(wine, prefix, [os.path.basename(exe), "run"], cwd=folder,
                                  stdin_text=cases.stdout)
        vcode, vout, verr = wine_run(wine, prefix, [os.path.basename(exe), "version"],
                                     cwd=folder)
    except subprocess.TimeoutExpired:
        stop_server(wine, prefix)
        return fail("the Windows program did not finish under Wine")
    stop_server(wine, prefix)
    failures = []
    if code != 0:
        failures.append("Windows export_calls run exited %d: %s %s" %
                        (code, out[-1500:], err[-1500:]))
    problems = compare(reference.stdout.splitlines(), out.splitlines())
    failures += problems[:20]
    if len(problems) > 20:
        failures.append("... %d more" % (len(problems) - 20))

    expected = ["V_Ver %s %d" % (VERSION, len(VERSION)), "Verinfo " + VERSION,
                "resource numbers %s %s" % (VERSION, VERSION),
                "resource translation 041103A4",
                'resource FileVersion "%s"' % VERSION, 'resource ProductVersion "1.0"',
                'resource InternalName "Moistek.dll"', 'resource OriginalFilename "Moistek.dll"',
                'resource FileDescription ""', 'resource ProductName ""']
    got = vout.splitlines()
    if vcode != 0:
        failures.append("export_calls version exited %d: %s" % (vcode, verr[-1000:]))
    for line in expected:
        if line not in got:
            failures.append("version: expected %r in\n%s" % (line, vout))

    lines = len(reference.stdout.splitlines())
    print("%s: %d calls compared, %d differ" % (arch, lines, len(problems)))
    for f in failures:
        print("FAIL: " + f)
    return 1 if failures else 0


# The Linux C library's choice among its builds of exp, log and pow: the FMA one where the
# processor has FMA and AVX2 (glibc's default here), the generic one with those masked.
GENERIC_LIBC = {"GLIBC_TUNABLES": "glibc.cpu.hwcaps=-AVX2,-FMA,-FMA4"}


def libm_native(native, count):
    """The vendored exp, log and pow, built natively, against the C library, both builds."""
    failures = 0
    skipped = 0
    for variant, env in (("generic", GENERIC_LIBC), ("fma", {})):
        result = run([native, "compare", variant, str(count)], env=dict(os.environ, **env))
        sys.stdout.write(result.stdout)
        if result.returncode == SKIP:
            skipped += 1
        elif result.returncode != 0:
            failures += fail("libm_match compare %s exited %d:\n%s" %
                             (variant, result.returncode, result.stderr[-2000:]))
    if failures:
        return 1
    return SKIP if skipped == 2 else 0


def libm(wine, prefix, native, exe, arch, count):
    """The DLL's exp, log and pow as the cross compiler built them, run under Wine, against the
    Linux C library making the same choice: digests of the same arguments' results."""
    if arch == "i686" and not runs_32_bit(wine):
        print(NO_32_BIT)
        return SKIP
    if not os.path.exists(os.path.join(prefix, "system.reg")):
        return fail("no Wine prefix at %s (the fixture windows.wineprefix makes it)" % prefix)
    version = run([native, "compare", "generic", "0"], env=dict(os.environ, **GENERIC_LIBC))
    if version.returncode == SKIP:  # not the C library the DLL's functions come from
        print("SKIP: " + version.stdout.strip())
        return SKIP
    folder = os.path.dirname(os.path.abspath(exe))
    failures = 0
    compared = 0
    for variant, env in (("generic", GENERIC_LIBC), ("fma", {})):
        reference = run([native, "digest", "libc", str(count)], env=dict(os.environ, **env))
        own = run([native, "digest", variant, str(count)])
        if own.returncode == SKIP:
            print("%s: %s" % (variant, own.stdout.strip()))
            continue
        if reference.returncode != 0 or own.returncode != 0:
            failures += fail("libm_match digest on Linux: %s %s" % (reference.stderr,
                                                                    own.stderr))
            continue
        if own.stdout != reference.stdout:
            # the C library did not make the expected choice; libm-native shows where
            failures += fail("the Linux C library's %s results are not the vendored ones:\n%s%s"
                             % (variant, reference.stdout, own.stdout))
            continue
        try:
            code, out, err = wine_run(wine, prefix, [os.path.basename(exe), "digest", variant,
                                                     str(count)], cwd=folder)
        except subprocess.TimeoutExpired:
            stop_server(wine, prefix)
            return fail("libm_match did not finish under Wine")
        if code != 0:
            failures += fail("libm_match.exe digest %s exited %d: %s" % (variant, code,
                                                                          err[-1500:]))
        elif out != reference.stdout:
            failures += fail("%s: Windows build's results differ from the C library's:\n"
                             "  Linux:\n%s  Windows:\n%s" % (variant, reference.stdout, out))
        else:
            compared += 1
            print("%s %s: the same results as the Linux C library\n%s" % (arch, variant, out))
    stop_server(wine, prefix)
    if failures:
        return 1
    return 0 if compared else SKIP


def has_locale(name):
    out = run(["locale", "-a"])
    wanted = name.lower().replace("-", "")
    return any(l.strip().lower().replace("-", "") == wanted for l in out.stdout.splitlines())


def version_reader(wine, prefix, exe, arch):
    if arch == "i686" and not runs_32_bit(wine):
        print(NO_32_BIT)
        return SKIP
    if not has_locale("ja_JP.utf8"):
        print("SKIP: no ja_JP.UTF-8 locale for code page 932 (scripts/install-deps makes it)")
        return SKIP
    folder = os.path.dirname(os.path.abspath(exe))
    try:
        code, out, err = wine_run(wine, prefix, [os.path.basename(exe)], cwd=folder,
                                  locale="ja_JP.UTF-8")
    except subprocess.TimeoutExpired:
        stop_server(wine, prefix)
        return fail("version_reader did not finish under Wine")
    stop_server(wine, prefix)
    if code != 0:
        return fail("version_reader exited %d: %s" % (code, err[-1500:]))

    def hexed(text):
        return text.encode("cp932").hex()
    own = "version_reader.exe"
    expected = [
        own + " 1",
        # 258 bytes and then a two-byte character, which does not fit the 259: cut before it
        own + " CompanyName " + hexed("x" * 258),
        own + " FileDescription " + hexed("空気線図作成ソフト"),
        own + " FileVersion " + hexed("9.8.7.6"),
        own + ' InternalName ' + hexed('with \\ backslash and "quotes"'),
        # 257 bytes and one two-byte character fill the field exactly
        own + " LegalCopyright " + hexed("x" * 257 + "空"),
        own + " OriginalFilename ",
        own + " ProductName ",
        own + " ProductVersion " + hexed("2.0"),
        "export_calls.exe 0",  # no version information
        "no such file.dll 0",
    ]
    got = [l.rstrip() for l in out.splitlines()]
    failures = 0
    for line in expected:
        if line.rstrip() not in got:
            failures += fail("expected %r" % line)
    if failures:
        print(out)
        return 1
    print("version_reader: %d lines as expected" % len(expected))
    return 0


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    command = argv[1]
    if command == "exports" and len(argv) == 7:
        return check_exports(*argv[2:7])
    if command == "prepare" and len(argv) == 4:
        return prepare(argv[2], argv[3])
    if command == "version-reader" and len(argv) == 6:
        return version_reader(*argv[2:6])
    if command == "libm-native" and len(argv) == 4:
        return libm_native(argv[2], int(argv[3]))
    if command == "libm" and len(argv) == 8:
        return libm(argv[2], argv[3], argv[4], argv[5], argv[6], int(argv[7]))
    if command == "calls" and len(argv) == 8:
        return calls(argv[2], argv[3], argv[4], argv[5], argv[6], int(argv[7]))
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
