"""The running window as a screen reader reads it, over AT-SPI.

Started with a point file on its command line, the window must name every control with
its role, show the file chosen, and announce where the focus goes.
Usage: read_by_screen_reader.py SORVANE EXAMPLES_DIR. It runs itself again on a session
bus of its own (dbus-run-session) with a runtime folder of its own, where the
accessibility bus puts its socket, so that runs side by side never share that bus; it
starts an X server of its own (Xvfb), and gives the window the keyboard with xdotool.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

OWN_SESSION = "SORVANE_A11Y_OWN_SESSION"


def run_in_own_session():
    runtime = tempfile.mkdtemp(prefix="sorvane-a11y-runtime-")
    try:
        environment = dict(os.environ, XDG_RUNTIME_DIR=runtime)
        environment[OWN_SESSION] = "1"
        return subprocess.run(["dbus-run-session", "--", sys.executable] + sys.argv, env=environment).returncode
    finally:
        shutil.rmtree(runtime, ignore_errors=True)


# Before pyatspi is imported, which looks for the session bus.
if __name__ == "__main__" and OWN_SESSION not in os.environ:
    sys.exit(run_in_own_session())

import pyatspi  # noqa: E402
from gi.repository import GLib  # noqa: E402

# Every control of the main window: its role, and what a screen reader calls it: the
# label it is labelled by, else its name. (A drop-down list is named after the entry it
# shows, and called by its label.)
EXPECTED = [
    ("combo box", "ドライブ"),
    ("tree", "フォルダ"),
    ("list", "ファイル"),
    ("label", "ファイル名"),
    ("text", "ファイル名"),
    ("label", "出力ファイル名"),
    ("text", "出力ファイル名"),
    ("push button", "変\u3000換"),
    ("push button", "取\u3000消"),
    ("menu item", "ファイル(F)"),
    ("menu item", "終了(X)"),
    ("menu item", "ヘルプ(H)"),
    ("menu item", "バージョン表示(A)"),
]
# The roles of controls that take the focus; each one shown must have a name.
FOCUSABLE_ROLES = {"combo box", "tree", "list", "text", "push button"}
TIMEOUT_SECONDS = 30


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def eventually(read, what):
    """The first true value `read` gives before the time is up; AT-SPI may not have
    the window, or the window its state, at once, and may fail while it starts."""
    deadline = time.monotonic() + TIMEOUT_SECONDS
    while time.monotonic() < deadline:
        try:
            value = read()
            if value:
                return value
        except GLib.Error:
            pass
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def application(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    return None


def descendants(node):
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is None:
            continue
        yield child
        yield from descendants(child)


def start_x_server():
    """An Xvfb on a display number it picks itself, so that tests running side by side
    never race for one; the server and its display."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                               "-nolisten", "tcp"], pass_fds=(write_end,))
    os.close(write_end)
    with os.fdopen(read_end) as number:
        display = number.readline().strip()
    if not display:
        fail("Xvfb did not start")
    return server, ":" + display


def called(node):
    labels = [relation.getTarget(0).name for relation in node.getRelationSet()
              if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY]
    return labels[0] if labels else node.name


def text_of(node):
    return node.queryText().getText(0, -1)


def main():
    sorvane, examples = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="sorvane-a11y-")
    server, display = start_x_server()
    program = None
    try:
        shutil.copy(os.path.join(examples, "PreData.txt"), work)
        os.mkdir(os.path.join(work, "data"))
        points = os.path.join(work, "data", "pts.csv")
        shutil.copy(os.path.join(examples, "survey-points.csv"), points)
        environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb", DISPLAY=display,
                           XDG_RUNTIME_DIR=work)
        # Listened for before the program starts, so that it knows from its start that
        # focus changes are wanted, and sends the one the Tab below makes.
        announced = []

        def on_focus(event):
            # Only the window that has the keyboard tells where its focus goes: the drive
            # list, which has it first, tells it once the window has the keyboard.
            if event.detail1 == 1 and event.source.getRoleName() in FOCUSABLE_ROLES - {"combo box"}:
                announced.append(event.source.name)
                pyatspi.Registry.stop()

        pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
        program = subprocess.Popen([sorvane, points], cwd=work, env=environment)

        app = eventually(lambda: application("sorvane"), "the program on the accessibility bus")
        frame = eventually(lambda: next((c for c in descendants(app) if c.getRoleName() == "frame"
                                         and c.name == "Sorvane"), None), "the main window")
        controls = eventually(lambda: [(c.getRoleName(), called(c), c) for c in descendants(frame)],
                              "the controls")
        found = {}
        for role, name, node in controls:
            found.setdefault((role, name), []).append(node)
        for expected in EXPECTED:
            if len(found.get(expected, [])) != 1:
                fail("expected one %s named %r, found %d; the window holds %r" % (
                    expected[0], expected[1], len(found.get(expected, [])),
                    sorted((role, name) for role, name, _ in controls)))
        for role, _, node in controls:
            state = node.getState()
            if (role in FOCUSABLE_ROLES and state.contains(pyatspi.STATE_SHOWING)
                    and state.contains(pyatspi.STATE_FOCUSABLE) and not node.name):
                fail("a %s that takes the focus has no name" % role)
        for label in ("ファイル名", "出力ファイル名"):
            if found[("text", label)][0].name != label:
                fail("the box labelled %r is named %r" % (label, found[("text", label)][0].name))

        # The file given on the command line is chosen, as a click on it would choose it.
        input_box = found[("text", "ファイル名")][0]
        eventually(lambda: text_of(input_box) == points, "the input box to show %s" % points)
        output = os.path.join(work, "data", "pts.dxf")
        if text_of(found[("text", "出力ファイル名")][0]) != output:
            fail("the output box shows %r, not %r" % (text_of(found[("text", "出力ファイル名")][0]), output))
        files = found[("list", "ファイル")][0]
        selected = [item.name for item in descendants(files) if item.getState().contains(pyatspi.STATE_SELECTED)]
        if selected != ["pts.csv"]:
            fail("the file list has %r selected, not pts.csv" % selected)
        if os.path.exists(output):
            fail("a drawing was written without Convert")

        # Tab from the drive list is announced with the directory list's name. With no
        # window manager to give the window the keyboard, the test does, and types the Tab.
        subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Sorvane$", "windowfocus",
                        "--sync"], check=True, timeout=TIMEOUT_SECONDS, env=environment)
        eventually(lambda: frame.getState().contains(pyatspi.STATE_ACTIVE), "the window to be active")

        def press_tab():
            subprocess.run(["xdotool", "key", "Tab"], check=True, timeout=TIMEOUT_SECONDS, env=environment)
            return False

        GLib.idle_add(press_tab)
        GLib.timeout_add_seconds(TIMEOUT_SECONDS, lambda: pyatspi.Registry.stop() or False)
        pyatspi.Registry.start()
        if announced != ["フォルダ"]:
            fail("Tab from the drive list announced %r" % announced)
        print("PASS: %d controls named, the file chosen, the focus announced" % len(EXPECTED))
    finally:
        if program is not None:
            program.terminate()
            try:
                program.wait(timeout=10)
            except subprocess.TimeoutExpired:
                program.kill()
        server.terminate()
        server.wait(timeout=10)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
