"""What the Python tests share: the `moistek` command they compare with."""

import os
import subprocess

CLI = os.environ.get("MOISTEK_CLI", "moistek")


def run_cli(*args, stdin=None):
    """Runs `moistek ARGS...`; returns (exit status, standard output, standard error)."""
    done = subprocess.run([CLI, *args], input=stdin, capture_output=True, text=True,
                          env=dict(os.environ, LC_ALL="C"), check=False)
    return done.returncode, done.stdout, done.stderr


def call_batch(lines):
    """One output line of `moistek call --batch` for each of LINES."""
    status, out, err = run_cli("call", "--batch", stdin="".join(line + "\n" for line in lines))
    if status not in (0, 1) or err:
        raise RuntimeError("moistek call --batch: %d %s" % (status, err))
    out = out.splitlines()
    if len(out) != len(lines):
        raise RuntimeError("moistek call --batch gave %d lines for %d" % (len(out), len(lines)))
    return out


def same_bits(a, b):
    return float(a).hex() == float(b).hex()
