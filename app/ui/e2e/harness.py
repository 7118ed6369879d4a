"""KLV as a screen reader sees it: under its own X server, on a private accessibility bus,
connected to varim-sim on a pseudo-terminal.

run-e2e starts this under dbus-run-session, so every process here talks to a session bus of
its own and nothing leaks into the desktop of whoever runs the tests.
"""

import os
import select
import shutil
import signal
import subprocess
import tempfile
import time

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
POLL_SECONDS = 0.1
# How long an action waits for its reply, and every other call (the library's own default).
ACTION_REPLY_MS = 1500
DEFAULT_REPLY_MS = 25000


class Failure(Exception):
    """What the operator would have seen go wrong."""


class Unavailable(Exception):
    """The accessibility stack itself cannot run here; the test is skipped, not failed."""


def wait_for(what, condition, timeout):
    """condition's first true result, or a Failure naming what did not happen in time."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"{what} (waited {timeout} s)")
        time.sleep(POLL_SECONDS)


def frames_to_radio(trace_path):
    """(opcode, data) of every intact frame the radio took, in order, from a varim-sim trace.

    A trace line reads "<ms> <mark>[ bad checksum:] <bytes>", and a frame on the line is
    24 L address opcode data... checksum 03; the radio's trace marks what it took with '>'.
    """
    if not os.path.exists(trace_path):
        return []
    found = []
    with open(trace_path) as trace:
        for line in trace:
            parts = line.split()
            if len(parts) < 8 or parts[1] != ">" or "bad" in parts:
                continue
            frame = [int(byte, 16) for byte in parts[2:]]
            found.append((frame[3], frame[4:-2]))
    return found


class Session:
    """One run of KLV against one simulated radio; a context manager that always cleans up."""

    def __init__(self, klv, sim):
        self.klv_path = os.path.abspath(klv)
        self.sim_path = os.path.abspath(sim)
        self.folder = tempfile.mkdtemp(prefix="klv-e2e-")
        self.sim_trace = os.path.join(self.folder, "sim.trace")
        self.sim_output = os.path.join(self.folder, "sim.out")
        self.processes = []
        self.app = None

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    # Start-up ---------------------------------------------------------------------------

    def _spawn(self, argv, log, **options):
        # Each in a process group of its own, so cleaning up takes its children too.
        with open(os.path.join(self.folder, log), "ab") as out:
            process = subprocess.Popen(argv, stdout=out, stderr=subprocess.STDOUT,
                                       start_new_session=True, **options)
        self.processes.append(process)
        return process

    def _start_x_server(self):
        if shutil.which("Xvfb") is None:
            raise Unavailable("Xvfb is not installed")
        read_end, write_end = os.pipe()
        try:
            self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                         "-nolisten", "tcp"], "xvfb.log", pass_fds=(write_end,))
            os.close(write_end)
            write_end = None
            # The server writes the number and its newline separately, and dies if the pipe
            # is gone before the newline: read up to it.
            number = b""
            deadline = time.monotonic() + 30
            while not number.endswith(b"\n") and time.monotonic() < deadline:
                ready, _, _ = select.select([read_end], [], [], deadline - time.monotonic())
                chunk = os.read(read_end, 64) if ready else b""
                if not chunk:
                    break
                number += chunk
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        if not number.endswith(b"\n"):
            raise Unavailable("Xvfb did not report a display")
        os.environ["DISPLAY"] = ":" + number.decode().strip()

    def _start_accessibility_bus(self):
        if not os.access(BUS_LAUNCHER, os.X_OK):
            raise Unavailable(f"{BUS_LAUNCHER} is missing (at-spi2-core)")
        try:
            from gi.repository import Gio, GLib
        except ImportError as error:
            raise Unavailable(f"GObject introspection cannot be imported: {error}")
        launcher = self._spawn([BUS_LAUNCHER, "--launch-immediately"], "at-spi.log")
        session_bus = Gio.bus_get_sync(Gio.BusType.SESSION)

        def launcher_owns_the_bus_name():
            self._check_running(launcher, "at-spi-bus-launcher")
            reply = session_bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                          "org.freedesktop.DBus", "NameHasOwner",
                                          GLib.Variant("(s)", ("org.a11y.Bus",)), None,
                                          Gio.DBusCallFlags.NONE, -1, None)
            return reply.unpack()[0]

        # Before that, asking for the accessibility bus would have D-Bus start a second
        # launcher, and the loser of the race takes its bus down with it.
        try:
            wait_for("at-spi-bus-launcher to take its bus name", launcher_owns_the_bus_name, 20)
            import pyatspi
        except (Failure, ImportError) as error:
            raise Unavailable(str(error))
        self.pyatspi = pyatspi

        def desktop_answers():
            try:
                return pyatspi.Registry.getDesktop(0).childCount >= 0
            except Exception:
                return False

        try:
            wait_for("the AT-SPI registry to answer", desktop_answers, 20)
        except Failure as error:
            raise Unavailable(str(error))

    def _start_sim(self):
        self.sim = self._spawn([self.sim_path, "--trace", self.sim_trace], "sim.out",
                               stdin=subprocess.PIPE)
        self.console_seen = 0

        def device():
            self._check_running(self.sim, "varim-sim")
            with open(self.sim_output) as out:
                first = out.readline()
            return first.strip() if first.endswith("\n") else None

        return wait_for("varim-sim to print its device", device, 10)

    def _start(self):
        self._start_x_server()
        self._start_accessibility_bus()
        device = self._start_sim()
        # Qt exposes its tree only when asked to, or when it finds a screen reader running.
        # The backups of the reads and what KLV remembers stay in the run's folder, out of the
        # user's own.
        environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                           QT_QPA_PLATFORM="xcb",
                           KLV_BACKUP_DIR=os.path.join(self.folder, "backups"),
                           XDG_CONFIG_HOME=os.path.join(self.folder, "config"))
        self.klv = self._spawn([self.klv_path, "--device", device, "--trace",
                                os.path.join(self.folder, "klv.trace")], "klv.log",
                               cwd=self.folder, env=environment)
        self.app = wait_for("KLV to appear on the accessibility bus", self._find_klv, 30)

    def _find_klv(self):
        self._check_running(self.klv, "KLV")
        try:
            for app in self.pyatspi.Registry.getDesktop(0):
                if app is not None and app.get_process_id() == self.klv.pid:
                    return app
        except Exception:
            pass
        return None

    def _check_running(self, process, name):
        if process.poll() is not None:
            raise Failure(f"{name} exited with status {process.returncode}")

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    os.killpg(process.pid, signal.SIGKILL)
                    process.wait()
                except ProcessLookupError:
                    pass
            if process.stdin:
                process.stdin.close()
        self.processes = []

    def remove_folder(self):
        shutil.rmtree(self.folder, ignore_errors=True)

    def report(self):
        """The tails of what KLV and the radio wrote, for a failure's diagnosis."""
        parts = []
        for name in ("klv.log", "sim.out", "sim.trace", "at-spi.log"):
            path = os.path.join(self.folder, name)
            if os.path.exists(path):
                with open(path, errors="replace") as file:
                    tail = file.readlines()[-15:]
                parts.append(f"--- {name} (last {len(tail)} lines)\n" + "".join(tail))
        return "\n".join(parts)

    # The accessibility tree ---------------------------------------------------------------

    def _roots(self, within):
        return [within] if within is not None else list(self.app)

    def _says(self, node, name, text):
        if name is not None and name not in (node.name, node.description):
            return False
        return text is None or text == self.shown_text(node).strip()

    def find_now(self, role, name=None, *, text=None, within=None, showing=True):
        """All matching nodes, breadth-first, as the tree stands now.

        name is what a screen reader announces for the control: its accessible name or its
        description (a toolbar button's tooltip). text is the text a label or field shows.
        Tables and lists are only entered when their rows are asked for: their cells are
        thousands of bus calls.
        """
        roles = (role,) if isinstance(role, str) else role
        enter_lists = "list item" in roles
        found = []
        queue = self._roots(within)
        while queue:
            node = queue.pop(0)
            try:
                if node is None:
                    continue
                visible = node.getState().contains(self.pyatspi.STATE_SHOWING)
                if showing and not visible:
                    continue
                node_role = node.getRoleName()
                if node_role in roles and self._says(node, name, text):
                    found.append(node)
                if node_role in ("table", "tree table") or (node_role == "list" and not enter_lists):
                    continue
                queue.extend(node)
            except Exception:
                continue  # the node went away while we looked
        return found

    def find(self, role, name=None, *, text=None, within=None, showing=True, timeout=10):
        """The first matching node (see find_now), waiting for it to appear."""
        roles = role if isinstance(role, str) else " or ".join(role)
        what = f"{roles} named '{name}'" if name is not None else roles
        if text is not None:
            what += f" showing '{text}'"
        if within is not None:
            what += f" in '{within.name}'"

        def first():
            found = self.find_now(role, name, text=text, within=within, showing=showing)
            return found[0] if found else None

        return wait_for(f"KLV shows no {what}", first, timeout)

    def shown_text(self, node):
        """What the node shows: its text, or its name when it has no text of its own."""
        try:
            text = node.queryText()
            content = text.getText(0, -1)
            if content:
                return content
        except NotImplementedError:
            pass
        return node.name or ""

    def is_enabled(self, node):
        return node.getState().contains(self.pyatspi.STATE_ENABLED)

    def is_checked(self, node):
        return node.getState().contains(self.pyatspi.STATE_CHECKED)

    def click(self, node):
        """The control's own action, as a screen reader's "activate" does it."""
        wait_for(f"the {node.getRoleName()} '{node.name}' stayed disabled",
                 lambda: self.is_enabled(node), 10)
        actions = node.queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        for wanted in ("Press", "Toggle"):
            if wanted in names:
                self._do_action(actions, names.index(wanted))
                return
        raise Failure(f"'{node.name}' offers no press or toggle action (it offers {names})")

    def _do_action(self, actions, index):
        """A control that opens a modal dialog answers its action only once the dialog has
        closed, as the window runs the dialog inside the action; the action has happened all
        the same. So the reply is waited for briefly, and its absence is no failure."""
        from gi.repository import Atspi, GLib
        Atspi.set_timeout(ACTION_REPLY_MS, -1)
        try:
            actions.doAction(index)
        except GLib.GError as error:
            if "Did not receive a reply" not in str(error):
                raise
        finally:
            Atspi.set_timeout(DEFAULT_REPLY_MS, -1)

    def activate(self, command, timeout=10):
        """Runs a window command from its toolbar button, or its menu item when no button for
        it is on screen."""
        buttons = self.find_now("push button", command)
        if buttons:
            self.click(buttons[0])
            return
        try:
            item = self.find("menu item", command, showing=False, timeout=timeout)
        except Failure:
            raise Failure(f"KLV offers no toolbar button or menu item named '{command}'")
        self.click(item)

    # The simulated radio ------------------------------------------------------------------

    def console(self, line, reply):
        """Types a line into varim-sim's console and waits for its reply."""
        self.sim.stdin.write((line + "\n").encode())
        self.sim.stdin.flush()

        def answered():
            with open(self.sim_output, errors="replace") as out:
                out.seek(self.console_seen)
                new = out.read()
            if "not understood" in new:
                raise Failure(f"varim-sim did not understand '{line}': {new.strip()}")
            at = new.find(reply)
            if at < 0:
                return False
            self.console_seen += len(new[: at + len(reply)].encode())
            return True

        wait_for(f"varim-sim to answer '{line}' with '{reply}'", answered, 10)

    def mark(self):
        """A place in the radio's trace: later waits look only at frames taken after it."""
        return len(frames_to_radio(self.sim_trace))

    def wait_frame(self, opcode, after, what, timeout=15):
        """Index and data of the first frame with opcode the radio took after the mark."""

        def taken():
            for index, (code, data) in enumerate(frames_to_radio(self.sim_trace)):
                if index >= after and code == opcode:
                    return index, data
            return None

        return wait_for(f"the radio to take {what} (opcode {opcode})", taken, timeout)
