#!/usr/bin/python3
"""The window as a screen reader meets it, through the desktop's accessibility
bus (AT-SPI): in English and in Russian, every page and dialog reached by the
accessible actions alone; each button, combo box, text field, menu item and
list item named in the window's language, and no name a bare icon glyph.

tst_a11y.py BUILD_DIR SOURCE_DIR, inside an X display and a D-Bus session.
"""
import json
import os
import re
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET

import pyatspi
from gi.repository import Gio, GLib

BUILD, SOURCE = sys.argv[1:3]
NAMED_ROLES = {"push button", "combo box", "text", "password text", "spin button",
               "menu item", "list item", "check box", "radio button"}
GLYPHS = re.compile("[\ue000-\uf8ff]")
MARKUP = re.compile("<(/?[a-zA-Z]+[ >]|!--)")
# The dialogs' standard buttons, in the toolkit's own catalogue.
TOOLKIT_RU = {"No": "\u041d\u0435\u0442", "Cancel": "\u041e\u0442\u043c\u0435\u043d\u0430",
              "Close": "\u0417\u0430\u043a\u0440\u044b\u0442\u044c"}
RETURN = 0xff0d
failures = []


def catalogue(language):
    """English text -> text shown in `language`."""
    if language == "en":
        return lambda text: text
    root = ET.parse(os.path.join(SOURCE, "qml", "veltra2_%s.ts" % language)).getroot()
    texts = {m.findtext("source"): m.findtext("translation") for m in root.iter("message")}
    texts.update(TOOLKIT_RU)
    return lambda text: texts.get(text) or text


def walk(acc, depth=0):
    """Every showing object under `acc`, as it is now: without a main loop
    the client's cache would never learn of a change."""
    if depth == 0:
        acc.clear_cache()
    if depth > 40:
        return
    for i in range(min(acc.childCount, 500)):
        child = acc.getChildAtIndex(i)
        if child is not None and child.getState().contains(pyatspi.STATE_SHOWING):
            yield child
            yield from walk(child, depth + 1)


class Heard:
    """The events a screen reader speaks from, as they come: the focus
    moving, and notifications shown. Kept as (kind, role, name)."""

    def __init__(self):
        self.events = []
        pyatspi.Registry.registerEventListener(self.note, "object:state-changed:focused",
                                               "object:state-changed:showing")

    def note(self, event):
        if event.detail1 != 1:
            return
        kind = "focus" if event.type.endswith("focused") else "shown"
        try:
            role, name = event.source.getRoleName(), event.source.name
        except GLib.GError:
            return  # gone before it was heard of, as a screen reader would find it
        if kind == "focus" or role == "notification":
            self.events.append((kind, role, name))

    def pump(self, seconds):
        end = time.time() + seconds
        context = GLib.MainContext.default()
        while time.time() < end:
            while context.iteration(False):
                pass
            time.sleep(0.05)

    def since(self, mark, kind):
        return [e for e in self.events[mark:] if e[0] == kind]


def until(what, timeout=10.0):
    end = time.time() + timeout
    while time.time() < end:
        found = what()
        if found:
            return found
        time.sleep(0.2)
    return None


class Window:
    def __init__(self, language, port):
        self.tr = catalogue(language)
        self.language = language
        config = tempfile.mkdtemp()
        org = os.path.join(config, "Kestrel")
        os.makedirs(org)
        with open(os.path.join(org, "VELTRA2.conf"), "w") as f:
            # One saved connection, the simulator, for the site page to show.
            saved = json.dumps({"name": "Lab", "host": "127.0.0.1", "port": port})
            f.write("[General]\nhost=127.0.0.1\nport=%d\nlanguage=%s\nConnections=%s\n"
                    % (port, language, json.dumps(saved)))
        env = dict(os.environ, XDG_CONFIG_HOME=config, QT_QUICK_BACKEND="software", QT_QPA_PLATFORM="xcb")
        self.process = subprocess.Popen([os.path.join(BUILD, "veltra2")], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.app = until(self.find_app, 30)
        if self.app is None:
            self.close()
            raise SystemExit("FAIL: the window never appeared on the accessibility bus")

    def find_app(self):
        # The desktop's own list is kept by the registry; clearing its cache
        # here loses a window that registers late (a slow checking build).
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def find(self, role, english, timeout=10.0):
        name = self.tr(english)
        return until(lambda: next((a for a in walk(self.app) if a.getRoleName() == role
                                   and a.name.startswith(name)), None), timeout)

    def press(self, role, english):
        item = self.find(role, english)
        if item is None:
            fail(self.language, "no %s named %r" % (role, self.tr(english)))
            return False
        # A menu item offers only to take the focus; Enter then chooses it,
        # as for a screen reader's user.
        item.queryAction().doAction(0)
        if role == "menu item":
            time.sleep(0.3)
            pyatspi.Registry.generateKeyboardEvent(RETURN, None, pyatspi.KEY_SYM)
        time.sleep(0.7)
        return True

    def check(self, where):
        """Every interactive object showing now has a name in words, and
        nothing is named in markup, which a screen reader would read out."""
        for acc in walk(self.app):
            role = acc.getRoleName()
            # The toolkit's bridge names no password field; it is described.
            name = acc.description if role == "password text" else acc.name
            if role in NAMED_ROLES and (not name.strip() or GLYPHS.search(name)):
                fail(self.language, "%s: %s named %r" % (where, role, acc.name))
            if MARKUP.search(acc.name):
                fail(self.language, "%s: %s named in markup %r" % (where, role, acc.name[:80]))

    def focused_on(self, where, mark, wanted):
        """The focus last went, after `mark`, to a named object `wanted`
        accepts: what a screen reader says after an action."""
        heard.pump(1.5)
        focus = [e for e in heard.since(mark, "focus") if e[1] not in ("menu item", "menu")]
        if not focus or not focus[-1][2].strip() or not wanted(focus[-1]):
            fail(self.language, "%s: the focus went to %r" % (where, focus[-1:]))

    def announced(self, where, english, mark, timeout):
        """A notification starting with the words of `english` was shown
        after `mark`; how many were."""
        prefix = self.tr(english).split("%1")[0]
        end = time.time() + timeout
        while time.time() < end:
            heard.pump(0.5)
            said = [e for e in heard.since(mark, "shown") if e[2].startswith(prefix)]
            if said:
                heard.pump(3)  # time for a second one, if it came
                return len([e for e in heard.since(mark, "shown") if e[2].startswith(prefix)])
        fail(self.language, "%s: no notification %r" % (where, prefix))
        return 0

    def close(self):
        self.process.terminate()
        self.process.wait(10)


def fail(language, text):
    failures.append("[%s] %s" % (language, text))
    print("FAIL:", failures[-1], flush=True)


def tour(language, sim):
    w = Window(language, sim.port)
    try:
        w.check("connection page")
        host = w.find("text", "Device IP:")
        if host is None or not host.getState().contains(pyatspi.STATE_FOCUSED):
            fail(language, "the address field has no focus at start")
        if w.press("push button", "Find devices"):
            w.check("Find devices")
            w.press("push button", "Close")
        mark = len(heard.events)
        if not w.press("push button", "Connect"):
            return
        gauge = w.find("label", "Temperature", 15)
        if gauge is None or not re.search(r"-?\d+(\.\d+)?\u2103", gauge.name):
            fail(language, "no gauge read out with its reading: %r" % (gauge and gauge.name))
        w.focused_on("Connect", mark, lambda e: e[2].startswith(w.tr("Temperature")))
        if w.announced("Connect", "Connected to %1", mark, 5) != 1:
            fail(language, "Connected not announced once")
        # Each page or dialog from its menu, what takes the focus there, and
        # the harmless way out.
        heading = lambda title: lambda e: e[2] == w.tr(title)
        for menu, item, out, wanted in [
                ("Device", "Status", "Back", heading("Status")),
                ("Device", "History", "Back", heading("History")),
                ("Device", "Config", "Back", heading("Config")),
                ("Device", "Cloud", "Back", heading("Cloud")),
                ("Device", "Info", "Close", lambda e: e[2].startswith(w.tr("Device") + ": ")),
                ("Device", "Reboot", "Cancel", None),
                ("Menu", "Save Connection", "Cancel", None),
                ("Menu", "Language", "Cancel", None), ("Menu", "About", "Close", None),
                ("Device", "Alarm limits\u2026", "Cancel", None)]:
            mark = len(heard.events)
            if w.press("push button", menu) and w.press("menu item", item):
                w.focused_on(item, mark, wanted or (lambda e: True))
                w.check(item)
                # A history row says its columns' names with their values.
                if item == "History" and not w.find("list item", w.tr("Time: %1").split("%1")[0], 10):
                    fail(language, "no history row read with its columns' names")
                mark = len(heard.events)
                w.press("push button", out)
                w.focused_on(item + " closed", mark, lambda e: True)
        # The link lost and back, each said once.
        mark = len(heard.events)
        sim.stop()
        if w.announced("device stopped", "Reconnecting to %1: %2", mark, 10) != 1:
            fail(language, "Reconnecting not announced once")
        sim.start()
        if w.announced("device back", "Connected to %1", mark, 30) != 1:
            fail(language, "Connected again not announced once")
        w.find("label", "Temperature", 15)
        # The site: its one row read whole, with its reading, once filled.
        if w.press("push button", "Menu") and w.press("menu item", "Site"):
            row = until(lambda: next((a for a in walk(w.app) if a.getRoleName() == "list item"
                                      and a.name.startswith("Lab:") and "\u2103" in a.name), None), 15)
            if row is None:
                fail(language, "no site row read with its reading")
            w.check("Site")
            w.press("push button", "Back")
    finally:
        w.close()


def screen_reader_session():
    """The desktop as a screen reader's X11 session has it before any program
    starts: the accessibility bus up, a screen reader announced on it, and the
    bus's address on the root window, where at-spi-bus-launcher puts it on an
    X11 desktop. Without that address, Qt 5.15 as Debian 12 ships it joins a
    bus that is already up only about one start in three (its bridge is built
    before the address it asked for arrives), which is what a window started
    beside a test that had just woken the bus met now and then."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)

    def call(interface, method, args=None):
        return bus.call_sync("org.a11y.Bus", "/org/a11y/bus", interface, method, args, None,
                             Gio.DBusCallFlags.NONE, 10000, None).unpack()

    address = call("org.a11y.Bus", "GetAddress")[0]
    call("org.freedesktop.DBus.Properties", "Set",
         GLib.Variant("(ssv)", ("org.a11y.Status", "ScreenReaderEnabled", GLib.Variant("b", True))))
    # The display runs with -noreset: the property outlives xprop.
    subprocess.run(["xprop", "-root", "-f", "AT_SPI_BUS", "8s", "-set", "AT_SPI_BUS", address], check=True)


class Simulator:
    """The device, which a test stops and starts again on its port."""

    def __init__(self):
        self.port = 0
        self.process = None
        self.start()

    def start(self):
        self.process = subprocess.Popen([os.path.join(BUILD, "tools", "devsim", "veltra2-devsim"),
                                         "--port", str(self.port)], stdout=subprocess.PIPE, text=True)
        self.port = int(re.search(r"listening on [^ ]*:(\d+)", self.process.stdout.readline()).group(1))

    def stop(self):
        self.process.kill()
        self.process.wait()


def unpublished_starts(port):
    """A screen reader's bus whose address is not on the root window (its
    launcher started without the display): the window joins it all the
    same, start after start."""
    for _ in range(3):
        subprocess.run(["xprop", "-root", "-remove", "AT_SPI_BUS"], check=True)
        try:
            Window("en", port).close()
        except SystemExit as error:
            fail("en", "unpublished bus address: %s" % error)
            return


def main():
    global heard
    screen_reader_session()
    heard = Heard()
    sim = Simulator()
    try:
        unpublished_starts(sim.port)
        screen_reader_session()
        for language in ["en", "ru"]:
            tour(language, sim)
    finally:
        sim.stop()
    if failures:
        print("%d failures" % len(failures))
        return 1
    print("PASS: every page and dialog named in English and Russian, the focus and the"
          " notifications where a screen reader hears them")
    return 0


sys.exit(main())
