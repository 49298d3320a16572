#!/usr/bin/python3
"""Walks the window with the keyboard while Orca listens, and prints what
Orca said. For the developer who changes what a screen reader hears.

    xvfb-run -a -s "-screen 0 1024x768x24 -noreset" dbus-run-session -- \\
        tools/listen/orca-walk.py BUILD_DIR LANGUAGE KEY...

The window starts with one saved simulated device at 127.0.4.10, its address
in the form. Each KEY is an xdotool key name (Return, Tab, alt+Left), or
":sleep SECONDS", ":stop" (the device goes away) or ":start" (it comes back).
Needs orca, openbox, xdotool and x11-utils.

Orca speaks through speech-dispatcher, which a headless session lacks and
which blocks Orca on its first "stop speaking"; a speech server that says
nothing is put in its place through Orca's own customisation file, and every
utterance is read from Orca's debug log ("SPEECH OUTPUT:").
"""
import os
import re
import subprocess
import sys
import tempfile
import time

from gi.repository import Gio, GLib

SILENT_SPEECH = '''
import sys, types
from orca import settings, speechserver

class SpeechServer(speechserver.SpeechServer):
    @staticmethod
    def getSpeechServer(info=None):
        return SpeechServer()

    @staticmethod
    def getSpeechServers():
        return [SpeechServer()]

    def getInfo(self):
        return ["silent", "silent"]

module = types.ModuleType("silentspeech")
module.SpeechServer = SpeechServer
sys.modules["silentspeech"] = module
settings.speechServerFactory = "silentspeech"
'''


def screen_reader_bus():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "ScreenReaderEnabled", GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, 10000, None)


class Device:
    def __init__(self, build):
        self.command = [os.path.join(build, "tools", "devsim", "veltra2-devsim"), "--address", "127.0.4.10"]
        self.port = 0
        self.start()

    def start(self):
        self.process = subprocess.Popen(self.command + ["--port", str(self.port)],
                                        stdout=subprocess.PIPE, text=True)
        self.port = int(re.search(r"listening on [^ ]*:(\d+)", self.process.stdout.readline()).group(1))

    def stop(self):
        self.process.kill()
        self.process.wait()


def main():
    build, language, keys = sys.argv[1], sys.argv[2], sys.argv[3:]
    screen_reader_bus()
    device = Device(build)
    config, home = tempfile.mkdtemp(), tempfile.mkdtemp()
    os.makedirs(os.path.join(config, "Kestrel"))
    with open(os.path.join(config, "Kestrel", "VELTRA2.conf"), "w") as f:
        f.write("[General]\nhost=127.0.4.10\nport=%d\nlanguage=%s\n\n[Update]\nURL=file:///nonexistent\n"
                % (device.port, language))
    os.makedirs(os.path.join(home, ".local", "share", "orca"))
    with open(os.path.join(home, ".local", "share", "orca", "orca-customizations.py"), "w") as f:
        f.write(SILENT_SPEECH)
    log = os.path.join(home, "orca.log")
    wm = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    orca = subprocess.Popen(["orca", "--replace", "--debug-file=" + log], env=dict(os.environ, HOME=home),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(4)
    window = subprocess.Popen([os.path.join(build, "veltra2")],
                              env=dict(os.environ, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="xcb"),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(5)
        for key in keys:
            if key.startswith(":sleep "):
                time.sleep(float(key.split()[1]))
            elif key in (":stop", ":start"):
                getattr(device, key[1:])()
            else:
                subprocess.run(["xdotool", "key", key], check=True)
            time.sleep(1.2)
        time.sleep(2)
    finally:
        window.terminate()
        orca.kill()
        wm.terminate()
        device.stop()
    with open(log, errors="replace") as f:
        for line in f:
            said = re.search(r"SPEECH OUTPUT: '(.*?)' ?(\{.*)?$", line)
            if said:
                print(said.group(1).strip())


main()
