"""program_bench.py: whole-program figures of the game beside a bare Qt window, under Xvfb."""

import ctypes
import os
import re
import select
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
    def __init__(self, name, argv, title, env=None, settings=None, closes=True, moves=True):
        self.name = name
        self.argv = argv
        self.title = title
        self.env = env or {}
        # The text of the settings file it starts with, if any.
        self.settings = settings
        # Whether it turns SIGTERM into closing its windows, so that its close can be timed.
        self.closes = closes
        # Whether arrow keys move its tiles.
        self.moves = moves


# The peers, measured when Debian's packages of them are installed (sgt-puzzles, gnome-taquin).
PEERS = [TProgram("fifteen", ["/usr/games/sgt-fifteen"], "Fifteen", closes=False),
         TProgram("GNOME's", ["/usr/games/gnome-taquin"], "Taquin", closes=False, moves=False)]


# The game tells when each step of its start ends (app/StartupPhase.cpp), in this order.
PHASES = ["toolkit", "translation", "form", "settings", "pictures", "first game", "shown",
          "first paint", "sound module", "disc search"]
PHASE_NAMES = {
    "toolkit": "application object, X connection",
    "translation": "translation and font names",
    "form": "form: widgets, menus, Ming face",
    "settings": "settings file",
    "pictures": "start-up picture",
    "first game": "first shuffle",
    "shown": "window shown (mapped)",
    "first paint": "until the board's first paint",
    "sound module": "sound module (own thread, after paint)",
    "disc search": "music opened, launcher, disc search",
}


def environment(scratch, program):
    env = {"XDG_CONFIG_HOME": os.path.join(scratch, "config"),
           "XDG_RUNTIME_DIR": os.path.join(scratch, "runtime"),
           "SDL_AUDIODRIVER": os.environ.get("SDL_AUDIODRIVER", "dummy"),
           "QT_LOGGING_RULES": "zellipo.startup.info=true"}
    env.update(program.env)
    if program.settings is not None:
        folder = os.path.join(scratch, "config", "Belnovia")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "Quorvel.reg"), "w", encoding="utf-8", newline="") as f:
            f.write(program.settings)
    return env


def close_ms(process):
    """From the close request (SIGTERM, which both programs turn into closing their windows) to
    the end of the process."""
    started = time.monotonic()
    process.send_signal(signal.SIGTERM)
    process.wait(15)
    return (time.monotonic() - started) * 1000.0


class TMapWatch:
    """Tells when a window is mapped on the display, from the X server's own notice of it: a
    poller such as xdotool, started again every few milliseconds, would take a core's share from
    the program it times."""

    class _Screens(ctypes.Structure):
        _fields_ = [("data", ctypes.c_void_p), ("rem", ctypes.c_int), ("index", ctypes.c_int)]

    class _Cookie(ctypes.Structure):
        _fields_ = [("sequence", ctypes.c_uint)]

    SUBSTRUCTURE_NOTIFY = 0x80000
    EVENT_MASK = 0x800
    MAP_NOTIFY = 19

    def __init__(self, display):
        xcb = self.xcb = ctypes.CDLL("libxcb.so.1")
        self.libc = ctypes.CDLL(None)
        pointer = ctypes.c_void_p
        for name, result, arguments in (
                ("xcb_connect", pointer, [ctypes.c_char_p, pointer]),
                ("xcb_connection_has_error", ctypes.c_int, [pointer]),
                ("xcb_get_setup", pointer, [pointer]),
                ("xcb_setup_roots_iterator", self._Screens, [pointer]),
                ("xcb_change_window_attributes_checked", self._Cookie,
                 [pointer, ctypes.c_uint32, ctypes.c_uint32, ctypes.POINTER(ctypes.c_uint32)]),
                ("xcb_request_check", pointer, [pointer, self._Cookie]),
                ("xcb_get_file_descriptor", ctypes.c_int, [pointer]),
                ("xcb_poll_for_event", ctypes.POINTER(ctypes.c_uint8), [pointer]),
                ("xcb_disconnect", None, [pointer])):
            function = getattr(xcb, name)
            function.restype = result
            function.argtypes = arguments
        self.connection = xcb.xcb_connect(display.encode(), None)
        if xcb.xcb_connection_has_error(self.connection):
            raise RuntimeError("cannot connect to %s" % display)
        # The root window is the first field of the first screen.
        root = ctypes.c_uint32.from_address(
            xcb.xcb_setup_roots_iterator(xcb.xcb_get_setup(self.connection)).data).value
        mask = ctypes.c_uint32(self.SUBSTRUCTURE_NOTIFY)
        if xcb.xcb_request_check(self.connection, xcb.xcb_change_window_attributes_checked(
                self.connection, root, self.EVENT_MASK, ctypes.byref(mask))):
            raise RuntimeError("cannot watch the windows of %s" % display)
        self.fd = xcb.xcb_get_file_descriptor(self.connection)

    def _next_map(self):
        """The monotonic time of the next map among the events already read, if there is one."""
        while True:
            event = self.xcb.xcb_poll_for_event(self.connection)
            if not event:
                return None
            kind = event[0] & 0x7f
            self.libc.free(event)
            if kind == self.MAP_NOTIFY:
                return time.monotonic()

    def forget(self):
        while self._next_map() is not None:
            pass

    def wait_mapped(self, session, process, timeout=20.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            mapped = self._next_map()
            if mapped is not None:
                return mapped
            if process.poll() is not None:
                raise RuntimeError("ended before showing a window:\n" +
                                   session.program_log(process))
            select.select([self.fd], [], [], 0.05)
        raise RuntimeError("no window within %.0f s" % timeout)

    def close(self):
        self.xcb.xcb_disconnect(self.connection)


def phase_marks(log, started):
    """Milliseconds from the exec to the end of each step the game told of."""
    marks = {}
    for line in log.splitlines():
        match = re.match(r"zellipo\.startup: (.+) (\d+)$", line.strip())
        if match:
            marks[match.group(1)] = int(match.group(2)) / 1000.0 - started * 1000.0
    return marks


def start_and_close_ms(programs, runs):
    """Median time from exec to the first mapped window of each program, and from the close
    request a second later to the process's end, each run in a fresh config, with the game's
    steps of the start. The programs take turns, so that a busier moment of the machine falls
    on all."""
    starts = {program.name: [] for program in programs}
    closes = {program.name: [] for program in programs}
    marks = {program.name: {phase: [] for phase in PHASES} for program in programs}
    with xsession.XSession() as session:
        watch = TMapWatch(session.display)
        for _ in range(runs):
            for program in programs:
                with tempfile.TemporaryDirectory(prefix="zellipo-bench-") as scratch:
                    os.mkdir(os.path.join(scratch, "runtime"), 0o700)
                    env = environment(scratch, program)
                    watch.forget()
                    started = time.monotonic()
                    process = session.launch(program.argv, env=env)
                    starts[program.name].append((watch.wait_mapped(session, process) - started) * 1000.0)
                    # Settled: the music is playing, as it is when a player closes the game.
                    time.sleep(1.0)
                    if program.closes:
                        closes[program.name].append(close_ms(process))
                    else:
                        xsession.stop_process(process)
                    for phase, at in phase_marks(session.program_log(process), started).items():
                        marks[program.name].setdefault(phase, []).append(at)
                    session.programs.remove(process)
        watch.close()
    median = statistics.median
    return ({name: median(values) for name, values in starts.items()},
            {name: median(values) if values else None for name, values in closes.items()},
            {name: {phase: median(values) for phase, values in phases.items() if values}
             for name, phases in marks.items()})


def settings_without_music(game):
    """The settings file the game writes at its first end, with the music turned off in it."""
    with xsession.XSession() as session, \
            tempfile.TemporaryDirectory(prefix="zellipo-bench-") as scratch:
        os.mkdir(os.path.join(scratch, "runtime"), 0o700)
        program = TProgram("zellipo", [game], "Zellipo")
        process = session.launch(program.argv, env=environment(scratch, program))
        session.find_window(process, program.title)
        xsession.stop_process(process)
        session.programs.remove(process)
        path = os.path.join(scratch, "config", "Belnovia", "Quorvel.reg")
        with open(path, encoding="utf-8", newline="") as settings:
            text = settings.read()
    return text.replace('"Music"=dword:00000001', '"Music"=dword:00000000')


def running_costs(program, idle_seconds, moves):
    """Peak memory, CPU and wake-ups over an idle stretch with the clock running, CPU of
    arrow-key moves in the program and in the X server."""
    with xsession.XSession() as session, \
            tempfile.TemporaryDirectory(prefix="zellipo-bench-") as scratch:
        os.mkdir(os.path.join(scratch, "runtime"), 0o700)
        process = session.launch(program.argv, env=environment(scratch, program))
        window = session.find_window(process, program.title)
        # Past the start, and past the sound card's first opening, which closes in silence.
        time.sleep(3.0)
        idle = woke = None
        if idle_seconds:
            before, switches = cpu_seconds(process.pid), context_switches(process.pid)
            time.sleep(idle_seconds)
            idle = cpu_seconds(process.pid) - before
            woke = wakeups(switches, context_switches(process.pid)) / idle_seconds
        move_cpu = server_cpu = None
        if moves:
            session.focus(window.wid)
            keys = ["Left", "Right"] * (moves // 2)
            before, server = cpu_seconds(process.pid), cpu_seconds(session.xvfb.pid)
            session.run("xdotool", "key", "--delay", "150", *keys, timeout=60)
            # Slides that were queued behind the last key still run.
            time.sleep(1.0)
            move_cpu = cpu_seconds(process.pid) - before
            server_cpu = cpu_seconds(session.xvfb.pid) - server
        peak = peak_rss_mib(process.pid)
        return peak, idle, woke, move_cpu, server_cpu


def effect_latency_ms(latency_tool):
    """The median time from a move's sound request to the first mixed buffer carrying it, with
    the output device asleep and awake."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen",
               SDL_AUDIODRIVER=os.environ.get("SDL_AUDIODRIVER", "dummy"))
    result = subprocess.run([latency_tool], env=env, capture_output=True, text=True, check=True)
    return {name: float(value) for name, value in
            (line.split(",") for line in result.stdout.split())}


def measure(game, floor, latency_tool, runs=15, idle_seconds=30, moves=50, move_rounds=5):
    load_before = load_average()
    quiet = settings_without_music(game)
    programs = [TProgram("floor", [floor], "Floor"),
                TProgram("ming", [floor, "ming"], "Floor", moves=False),
                TProgram("music on", [game], "Zellipo"),
                TProgram("music off", [game], "Zellipo", settings=quiet)]
    programs += [peer for peer in PEERS if os.access(peer.argv[0], os.X_OK)]
    figures = {program.name: {} for program in programs}
    starts, closes, marks = start_and_close_ms(programs, runs)
    for program in programs:
        peak, idle, woke, move_cpu, server_cpu = running_costs(
            program, idle_seconds, moves if program.moves else 0)
        figures[program.name] = {"start": starts[program.name], "close": closes[program.name],
                                 "peak": peak, "idle": idle * 1000.0, "wakeups": woke,
                                 "moves": [move_cpu], "server": [server_cpu],
                                 "marks": marks[program.name]}
    # The moves' CPU varies more from one minute to the next than the rest: more rounds, taken
    # in turns, and the median of each.
    movers = [program for program in programs if program.moves]
    for _ in range(move_rounds - 1):
        for program in movers:
            _, _, _, move_cpu, server_cpu = running_costs(program, 0, moves)
            figures[program.name]["moves"].append(move_cpu)
            figures[program.name]["server"].append(server_cpu)
    for program in programs:
        for key in ("moves", "server"):
            values = figures[program.name][key]
            figures[program.name][key] = statistics.median(values) if program.moves else None
    figures["latency"] = effect_latency_ms(latency_tool)
    figures["load"] = (load_before, load_average())
    figures["names"] = [program.name for program in programs]
    figures["move rounds"] = move_rounds
    return figures


def load_average():
    with open("/proc/loadavg") as f:
        return f.read().split()[0]


def report(figures, runs, idle_seconds, moves):
    names = figures["names"]
    headings = {"ming": "Ming floor"}
    print("Whole program under Xvfb, against floors measured in the same run: a bare Qt window "
          "with a ticking clock, and the same showing the game's menu texts in its Ming face; "
          "the peers where installed (load average %s at the start, %s at the end)"
          % figures["load"])
    line = "  %-40s" + " %10s" * len(names)
    print(line % (("",) + tuple(headings.get(name, name) for name in names)))

    def row(what, key, fmt="%.1f", ratio=None):
        cells = []
        for name in names:
            value = figures[name][key]
            if value is None:
                cells.append("–")
            elif ratio:
                cells.append("%.2f×" % (value / figures[ratio][key]))
            else:
                cells.append(fmt % value)
        print(line % ((what,) + tuple(cells)))

    row("first window, median of %d (ms)" % runs, "start")
    row("  ratio to the floor", "start", ratio="floor")
    row("  ratio to the Ming floor", "start", ratio="ming")
    row("close request to end, median of %d (ms)" % runs, "close")
    row("peak resident memory (MiB)", "peak")
    row("CPU over %d s idle, clock running (ms)" % idle_seconds, "idle", "%.0f")
    row("  ratio to the floor", "idle", ratio="floor")
    row("wake-ups a second, idle", "wakeups")
    for name in names:
        figures[name]["moves"] = (figures[name]["moves"] or 0) * 1000.0 or None
        figures[name]["server"] = (figures[name]["server"] or 0) * 1000.0 or None
    row("CPU of %d arrow keys, median of %d (ms)" % (moves, figures["move rounds"]), "moves",
        "%.0f")
    row("  ratio to the floor", "moves", ratio="floor")
    row("  the same, X server (ms)", "server", "%.0f")
    row("  ratio to the floor", "server", ratio="floor")
    latency = figures["latency"]
    print("  %-40s %10.1f" % ("move sound to first samples, asleep (ms)", latency["asleep"]))
    print("  %-40s %10.1f" % ("  the same, device awake (ms)", latency["awake"]))
    print()
    print("The game's start, step by step (medians of %d starts; ms from the exec)" % runs)
    print("  %-44s %10s %10s %10s" % ("step", "music on", "music off", "its own"))
    on, off = figures["music on"]["marks"], figures["music off"]["marks"]
    previous = 0.0
    for phase in PHASES:
        if phase not in on:
            continue
        # What follows the first paint runs side by side, each from the paint.
        own = on[phase] - previous
        print("  %-44s %10.1f %10.1f %10.1f" % (PHASE_NAMES[phase], on[phase],
                                                off.get(phase, float("nan")), own))
        if phase != "first paint" and previous == on.get("first paint"):
            continue
        previous = on[phase]
    print("  %-44s %10.1f %10.1f" % ("first window mapped (the X server's notice)",
                                     figures["music on"]["start"],
                                     figures["music off"]["start"]))
