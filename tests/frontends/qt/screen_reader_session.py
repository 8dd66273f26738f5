#!/usr/bin/python3
"""A screen reader's session with the running Qt program, through AT-SPI alone: it finds the main
window's controls by their accessible names, finds the file the program was started on in the file
box, fills the password box, presses Encrypt and then Decrypt through their press actions, and
reads the status line from the name-change events it announces, as a screen reader speaks them.

    screen_reader_session.py FILE PASSWORD JOB_TEXTS_HEADER

FILE, the program's argument, is encrypted and decrypted in place; the session fails unless it comes back byte for byte and
each job's announced status is the one the program's texts give for a completed job."""

import re
import sys
import time

import pyatspi
from gi.repository import GLib

WINDOW_WAIT_S = 20  # the splash first, then the main window
JOB_WAIT_S = 60
LISTENER_SETTLE_S = 1


def completed_texts(header):
    """The status texts of a completed encryption and decryption, as the program's own texts give."""
    source = open(header, encoding="utf-8").read()
    texts = {}
    for kind in ("encryption", "decryption"):
        body = re.search(kind + r"Texts\{(.*?)\};", source, re.S).group(1)
        texts[kind] = re.findall(r'"((?:[^"\\]|\\.)*)"', body)[3]  # action, busy, missing, complete
    return texts


def descendants(accessible):
    for child in accessible:
        if child is not None:
            yield child
            yield from descendants(child)


def find_main_window():
    deadline = time.monotonic() + WINDOW_WAIT_S
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is None or app.name != "orvelin":
                continue
            for window in app:
                if any(c.name == "Encrypt" and c.getRoleName() == "push button" for c in descendants(window)):
                    return window
        time.sleep(0.2)
    sys.exit("screen reader: no main window with an Encrypt button appeared")


def control(window, role, name):
    for accessible in descendants(window):
        if accessible.getRoleName() == role and accessible.name == name:
            return accessible
    sys.exit(f"screen reader: no {role} named {name!r}")


def press(button):
    actions = button.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if "Press" not in names:
        sys.exit(f"screen reader: {button.name!r} has no press action, only {names}")
    actions.doAction(names.index("Press"))


class Announcements:
    """What a screen reader would speak of labels whose name changes: the live status line."""

    def __init__(self):
        self.spoken = []
        # Kept: the registry holds its listeners weakly, and a bound method made for the call would go.
        self._listener = self._heard
        pyatspi.Registry.registerEventListener(self._listener, "object:property-change:accessible-name")
        # The program learns of a new listener through the registry, a moment later.
        self._run_until(lambda: False, LISTENER_SETTLE_S)

    def _heard(self, event):
        if event.source.getRoleName() == "label":
            self.spoken.append(event.source.name)

    def during(self, action, expected):
        """Runs action, then the event loop until expected is announced; returns what was announced
        meanwhile. The program may answer a press only once its job is done, and the announcements
        may arrive while the press waits for that answer."""
        start = len(self.spoken)
        action()
        self._run_until(lambda: expected in self.spoken[start:], JOB_WAIT_S)
        return self.spoken[start:]

    @staticmethod
    def _run_until(done, seconds):
        # Event listeners are served by the GLib loop that pyatspi's registry runs on.
        loop = GLib.MainLoop()
        deadline = time.monotonic() + seconds

        def check():
            if done() or time.monotonic() > deadline:
                loop.quit()
                return False
            return True

        GLib.timeout_add(50, check)
        loop.run()


def run_job(window, announcements, button_name, expected):
    button = control(window, "push button", button_name)
    heard = announcements.during(lambda: press(button), expected)
    print(f"screen reader: pressed {button_name}, heard {heard}")
    if expected not in heard:
        shown = [c.name for c in descendants(window) if c.getRoleName() == "label"]
        print(f"screen reader: the window's labels read {shown}")
        sys.exit(f"screen reader: {button_name} did not announce {expected!r}")


def main():
    path, password, header = sys.argv[1:4]
    expected = completed_texts(header)
    original = open(path, "rb").read()
    window = find_main_window()
    print(f"screen reader: found {window.getRoleName()} {window.name!r}")
    # The program was started on the file, as a file manager starts it.
    handed = control(window, "text", "File Name").queryText()
    if handed.getText(0, -1) != path:
        sys.exit(f"screen reader: the File Name box reads {handed.getText(0, -1)!r}, not the file the program was given")
    control(window, "text", "Password").queryEditableText().setTextContents(password)
    announcements = Announcements()

    run_job(window, announcements, "Encrypt", expected["encryption"])
    encrypted = open(path, "rb").read()
    if encrypted == original or len(encrypted) < len(original):
        sys.exit("screen reader: Encrypt announced completion but the file is not encrypted")

    run_job(window, announcements, "Decrypt", expected["decryption"])
    if open(path, "rb").read() != original:
        sys.exit("screen reader: Decrypt did not give the original content back")
    press(control(window, "push button", "Exit"))
    print("screen reader: encrypted and decrypted the file by names and press actions alone")


main()
