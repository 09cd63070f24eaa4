#!/usr/bin/env python3
"""Times the window's start as a user sees it: from launching a program until its window is
mapped on an X display (Xvfb is started when there is no display). Run by hand:

    bench/window-start.py ROUNDS NAME=BINARY [NAME=BINARY ...]

Each binary runs in turn, ROUNDS times, with a fresh settings folder; the medians are printed."""
import os
import statistics
import subprocess
import sys
import tempfile
import time


def window_shown(display: str) -> bool:
    # xwininfo lists the top-level windows; the program's window carries its name.
    tree = subprocess.run(["xwininfo", "-root", "-tree"], env=dict(os.environ, DISPLAY=display),
                          capture_output=True, text=True).stdout
    return "Brisomel" in tree


def start_once(binary: str, display: str) -> float:
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, DISPLAY=display, HOME=home, XDG_CONFIG_HOME=home,
                   QT_QPA_PLATFORM="xcb")
        began = time.perf_counter()
        process = subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        try:
            while not window_shown(display):
                if time.perf_counter() - began > 30:
                    raise RuntimeError(f"{binary}: no window after 30 s")
                time.sleep(0.002)
            return (time.perf_counter() - began) * 1000
        finally:
            process.kill()
            process.wait()


def main() -> None:
    rounds = int(sys.argv[1])
    programs = [argument.split("=", 1) for argument in sys.argv[2:]]
    xvfb = None
    display = os.environ.get("DISPLAY", "")
    if not display:
        display = ":97"
        xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x800x24"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1)
    try:
        times = {name: [] for name, _ in programs}
        for _ in range(rounds):
            for name, binary in programs:  # interleaved, so load changes hit both alike
                times[name].append(start_once(binary, display))
        for name, measured in times.items():
            print(f"{name:30} {statistics.median(measured):8.1f} ms (median of {rounds})")
    finally:
        if xvfb:
            xvfb.terminate()


if __name__ == "__main__":
    main()
