#!/usr/bin/env python3
"""Runs commands in turn, several rounds, and reports each one's median wall time, its peak
memory and its ratio to the first command (the reference). Taking turns spreads the machine's
load evenly over the commands being compared.

  side-by-side.py ROUNDS LABEL=COMMAND [LABEL=COMMAND ...]
"""
import shlex
import statistics
import subprocess
import sys
import time


def run_once(argv):
    start = time.perf_counter()
    process = subprocess.run(argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - start
    if process.returncode != 0:
        sys.exit(f"{shlex.join(argv)} failed ({process.returncode}): "
                 f"{process.stderr.decode(errors='replace')}")
    return elapsed * 1000


def peak_megabytes(argv):
    # Through time(1): a child forked from this interpreter would count the interpreter's
    # memory as its own peak.
    process = subprocess.run(["/usr/bin/time", "-f", "%M"] + argv, stdout=subprocess.DEVNULL,
                             stderr=subprocess.PIPE, check=True)
    return int(process.stderr.decode().split()[-1]) / 1024


def main():
    rounds = int(sys.argv[1])
    commands = [arg.split("=", 1) for arg in sys.argv[2:]]
    times = {label: [] for label, _ in commands}
    for label, command in commands:  # one unmeasured run each warms the file cache
        run_once(shlex.split(command))
    for _ in range(rounds):
        for label, command in commands:
            times[label].append(run_once(shlex.split(command)))
    reference = statistics.median(times[commands[0][0]])
    for label, command in commands:
        median = statistics.median(times[label])
        print(f"  {label:<34} {median:9.1f} ms  {peak_megabytes(shlex.split(command)):6.1f} MB"
              f"  {median / reference:5.2f}x")


main()
