"""program_bench.py: whole-program figures of the game beside a bare Qt window, under Xvfb."""

import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import xsession  # noqa: E402

TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    # utime and stime are the 14th and 15th fields of the whole line.
    return (int(fields[11]) + int(fields[12])) / TICKS_PER_SECOND


def peak_rss_mib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024.0
    return float("nan")


class TProgram:
    def __init__(self, name, argv, title):
        self.name = name
        self.argv = argv
        self.title = title


def environment(scratch):
    return {"XDG_CONFIG_HOME": os.path.join(scratch, "config"),
            "XDG_RUNTIME_DIR": os.path.join(scratch, "runtime"),
            "SDL_AUDIODRIVER": os.environ.get("SDL_AUDIODRIVER", "dummy")}


def wait_mapped(session, process, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if session.visible_windows(process.pid):
            return time.monotonic()
        if process.poll() is not None:
            raise RuntimeError("ended before showing a window:\n" + session.program_log(process))
        time.sleep(0.002)
    raise RuntimeError("no window within %.0f s" % timeout)


def start_times_ms(programs, runs):
    """Median time from exec to the first mapped window of each program, each run in a fresh
    config. The programs take turns, so that a busier moment of the machine falls on both."""
    times = {program.name: [] for program in programs}
    with xsession.XSession() as session:
        for _ in range(runs):
            for program in programs:
                with tempfile.TemporaryDirectory(prefix="zellipo-bench-") as scratch:
                    os.mkdir(os.path.join(scratch, "runtime"), 0o700)
                    started = time.monotonic()
                    process = session.launch(program.argv, env=environment(scratch))
                    times[program.name].append((wait_mapped(session, process) - started) * 1000.0)
                    xsession.stop_process(process)
                    session.programs.remove(process)
    return {name: statistics.median(values) for name, values in times.items()}


def switch_music_off(session, program, scratch):
    """Lets the game write its settings once, then turns the music off in them."""
    process = session.launch(program.argv, env=environment(scratch))
    session.find_window(process, program.title)
    xsession.stop_process(process)
    session.programs.remove(process)
    path = os.path.join(scratch, "config", "Belnovia", "Quorvel.reg")
    with open(path, encoding="utf-8", newline="") as settings:
        text = settings.read()
    with open(path, "w", encoding="utf-8", newline="") as settings:
        settings.write(text.replace('"Music"=dword:00000001', '"Music"=dword:00000000'))


def running_costs(program, idle_seconds, moves, music=True):
    """Peak memory, CPU over an idle stretch with the clock running, CPU of arrow-key moves."""
    with xsession.XSession() as session, \
            tempfile.TemporaryDirectory(prefix="zellipo-bench-") as scratch:
        os.mkdir(os.path.join(scratch, "runtime"), 0o700)
        if not music:
            switch_music_off(session, program, scratch)
        process = session.launch(program.argv, env=environment(scratch))
        window = session.find_window(process, program.title)
        time.sleep(1.0)
        before = cpu_seconds(process.pid)
        time.sleep(idle_seconds)
        idle = cpu_seconds(process.pid) - before
        move_cpu = None
        if moves:
            session.focus(window.wid)
            keys = ["Left", "Right"] * (moves // 2)
            before = cpu_seconds(process.pid)
            session.run("xdotool", "key", "--delay", "150", *keys, timeout=60)
            # Slides that were queued behind the last key still run.
            time.sleep(1.0)
            move_cpu = cpu_seconds(process.pid) - before
        peak = peak_rss_mib(process.pid)
        return peak, idle, move_cpu


def measure(game, floor, runs=15, idle_seconds=30, moves=50):
    programs = [TProgram("zellipo", [game], "Zellipo"), TProgram("floor", [floor], "Floor")]
    figures = {}
    starts = start_times_ms(programs, runs)
    for program in programs:
        start = starts[program.name]
        peak, idle, move_cpu = running_costs(program, idle_seconds,
                                             moves if program.name == "zellipo" else 0)
        figures[program.name] = {"start": start, "peak": peak, "idle": idle * 1000.0,
                                 "moves": move_cpu}
    # The floor plays no music: the game's idle cost without it, to compare like with like.
    _, quiet, _ = running_costs(programs[0], idle_seconds, 0, music=False)
    figures["zellipo"]["idle without music"] = quiet * 1000.0
    figures["floor"]["idle without music"] = figures["floor"]["idle"]
    return figures


def report(figures, runs, idle_seconds, moves):
    game, floor = figures["zellipo"], figures["floor"]

    def row(what, unit, key, fmt="%.1f"):
        g, f = game[key], floor[key]
        ratio = "%.2f×" % (g / f) if f else "–"
        print("  %-34s %10s %10s %8s" % (what + " (" + unit + ")", fmt % g, fmt % f, ratio))

    print("Whole program under Xvfb, against a bare Qt window with a ticking clock")
    print("  %-34s %10s %10s %8s" % ("", "zellipo", "floor", "ratio"))
    row("start to first window, median of %d" % runs, "ms", "start")
    row("peak resident memory", "MiB", "peak")
    row("CPU over %d s idle, clock running" % idle_seconds, "ms", "idle", "%.0f")
    row("  the same, music switched off", "ms", "idle without music", "%.0f")
    print("  %-34s %10.0f" % ("CPU of %d arrow-key moves (ms)" % moves, game["moves"] * 1000.0))
