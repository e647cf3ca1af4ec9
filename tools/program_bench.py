"""program_bench.py: whole-program figures of the game beside a bare Qt window, under Xvfb."""

import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import xsession  # noqa: E402



def cpu_seconds(pid):
    """CPU time of the live threads, in nanoseconds from the scheduler rather than in the 10 ms
    ticks of /proc/PID/stat, so a quiet program's few milliseconds still count."""
    total = 0
    for tid in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/schedstat" % (pid, tid)) as schedstat:
                total += int(schedstat.read().split()[0])
        except OSError:
            continue  # the thread ended meanwhile
    return total / 1e9


def context_switches(pid):
    """Each thread's count of times it went to sleep and was woken, by thread id; being
    preempted by another program is no wake-up of its own."""
    counts = {}
    for tid in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/status" % (pid, tid)) as status:
                counts[tid] = sum(int(line.split()[1]) for line in status
                                  if line.startswith("voluntary_ctxt"))
        except OSError:
            continue  # the thread ended meanwhile
    return counts


def wakeups(before, after):
    return sum(count - before.get(tid, 0) for tid, count in after.items())


def peak_rss_mib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024.0
    return float("nan")


class TProgram:
    def __init__(self, name, argv, title, env=None):
        self.name = name
        self.argv = argv
        self.title = title
        self.env = env or {}


def environment(scratch, program):
    env = {"XDG_CONFIG_HOME": os.path.join(scratch, "config"),
           "XDG_RUNTIME_DIR": os.path.join(scratch, "runtime"),
           "SDL_AUDIODRIVER": os.environ.get("SDL_AUDIODRIVER", "dummy")}
    env.update(program.env)
    return env


def close_ms(process):
    """From the close request (SIGTERM, which both programs turn into closing their windows) to
    the end of the process."""
    started = time.monotonic()
    process.send_signal(signal.SIGTERM)
    process.wait(15)
    return (time.monotonic() - started) * 1000.0


def wait_mapped(session, process, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if session.visible_windows(process.pid):
            return time.monotonic()
        if process.poll() is not None:
            raise RuntimeError("ended before showing a window:\n" + session.program_log(process))
        time.sleep(0.002)
    raise RuntimeError("no window within %.0f s" % timeout)


def start_and_close_ms(programs, runs):
    """Median time from exec to the first mapped window of each program, and from the close
    request a second later to the process's end, each run in a fresh config. The programs take
    turns, so that a busier moment of the machine falls on all."""
    starts = {program.name: [] for program in programs}
    closes = {program.name: [] for program in programs}
    with xsession.XSession() as session:
        for _ in range(runs):
            for program in programs:
                with tempfile.TemporaryDirectory(prefix="zellipo-bench-") as scratch:
                    os.mkdir(os.path.join(scratch, "runtime"), 0o700)
                    started = time.monotonic()
                    process = session.launch(program.argv, env=environment(scratch, program))
                    starts[program.name].append((wait_mapped(session, process) - started) * 1000.0)
                    # Settled: the music is playing, as it is when a player closes the game.
                    time.sleep(1.0)
                    closes[program.name].append(close_ms(process))
                    session.programs.remove(process)
    return ({name: statistics.median(values) for name, values in starts.items()},
            {name: statistics.median(values) for name, values in closes.items()})


def switch_music_off(session, program, scratch):
    """Lets the game write its settings once, then turns the music off in them."""
    process = session.launch(program.argv, env=environment(scratch, program))
    session.find_window(process, program.title)
    xsession.stop_process(process)
    session.programs.remove(process)
    path = os.path.join(scratch, "config", "Belnovia", "Quorvel.reg")
    with open(path, encoding="utf-8", newline="") as settings:
        text = settings.read()
    with open(path, "w", encoding="utf-8", newline="") as settings:
        settings.write(text.replace('"Music"=dword:00000001', '"Music"=dword:00000000'))


def running_costs(program, idle_seconds, moves, music=True):
    """Peak memory, CPU and wake-ups over an idle stretch with the clock running, CPU of
    arrow-key moves."""
    with xsession.XSession() as session, \
            tempfile.TemporaryDirectory(prefix="zellipo-bench-") as scratch:
        os.mkdir(os.path.join(scratch, "runtime"), 0o700)
        if not music:
            switch_music_off(session, program, scratch)
        process = session.launch(program.argv, env=environment(scratch, program))
        window = session.find_window(process, program.title)
        # Past the start, and past the sound card's first opening, which closes in silence.
        time.sleep(3.0)
        before, switches = cpu_seconds(process.pid), context_switches(process.pid)
        time.sleep(idle_seconds)
        idle = cpu_seconds(process.pid) - before
        woke = wakeups(switches, context_switches(process.pid)) / idle_seconds
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
        return peak, idle, woke, move_cpu


def effect_latency_ms(latency_tool):
    """The median time from a move's sound request to the first mixed buffer carrying it, with
    the output device asleep and awake."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen",
               SDL_AUDIODRIVER=os.environ.get("SDL_AUDIODRIVER", "dummy"))
    result = subprocess.run([latency_tool], env=env, capture_output=True, text=True, check=True)
    return {name: float(value) for name, value in
            (line.split(",") for line in result.stdout.split())}


def measure(game, floor, latency_tool, runs=15, idle_seconds=30, moves=50):
    # The sound module's libraries mapped before main, as if the game linked them: what loading
    # the module later saves at start-up.
    module = os.path.join(os.path.dirname(game), "zellipo-audio.so")
    programs = [TProgram("zellipo", [game], "Zellipo"), TProgram("floor", [floor], "Floor"),
                TProgram("preloaded", [game], "Zellipo", {"LD_PRELOAD": module})]
    figures = {}
    starts, closes = start_and_close_ms(programs, runs)
    for program in programs[:2]:
        peak, idle, woke, move_cpu = running_costs(program, idle_seconds,
                                                   moves if program.name == "zellipo" else 0)
        figures[program.name] = {"start": starts[program.name], "close": closes[program.name],
                                 "peak": peak, "idle": idle * 1000.0, "wakeups": woke,
                                 "moves": move_cpu}
    figures["zellipo"]["start, libraries at start"] = starts["preloaded"]
    figures["floor"]["start, libraries at start"] = starts["floor"]
    # The floor plays no music: the game's idle cost without it, to compare like with like.
    _, quiet, quiet_woke, _ = running_costs(programs[0], idle_seconds, 0, music=False)
    figures["zellipo"]["idle without music"] = quiet * 1000.0
    figures["zellipo"]["wakeups without music"] = quiet_woke
    figures["floor"]["idle without music"] = figures["floor"]["idle"]
    figures["floor"]["wakeups without music"] = figures["floor"]["wakeups"]
    figures["latency"] = effect_latency_ms(latency_tool)
    return figures


def report(figures, runs, idle_seconds, moves):
    game, floor = figures["zellipo"], figures["floor"]

    def row(what, unit, key, fmt="%.1f"):
        g, f = game[key], floor[key]
        ratio = "%.2f×" % (g / f) if f else "–"
        print("  %-44s %10s %10s %8s" % (what + " (" + unit + ")", fmt % g, fmt % f, ratio))

    print("Whole program under Xvfb, against a bare Qt window with a ticking clock")
    print("  %-44s %10s %10s %8s" % ("", "zellipo", "floor", "ratio"))
    row("start to first window, median of %d" % runs, "ms", "start")
    row("  the same, sound libraries mapped at start", "ms", "start, libraries at start")
    row("close request to end, median of %d" % runs, "ms", "close")
    row("peak resident memory", "MiB", "peak")
    row("CPU over %d s idle, clock running" % idle_seconds, "ms", "idle", "%.0f")
    row("  the same, music switched off", "ms", "idle without music", "%.0f")
    row("wake-ups a second, idle", "/s", "wakeups")
    row("  the same, music switched off", "/s", "wakeups without music")
    print("  %-44s %10.0f" % ("CPU of %d arrow-key moves (ms)" % moves, game["moves"] * 1000.0))
    latency = figures["latency"]
    print("  %-44s %10.1f" % ("move sound: request to first samples, device asleep (ms)",
                              latency["asleep"]))
    print("  %-44s %10.1f" % ("  the same, device awake (ms)", latency["awake"]))
