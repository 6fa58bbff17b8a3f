# A notification service for the tests: owns org.freedesktop.Notifications
# on the session bus and appends each Notify call to a file, one JSON object
# a line (app, summary, body, actions, the id it answered). SIGUSR1 clicks
# the last notification: its default action is invoked, as a user's click
# on it invokes it. Body markup is not among its capabilities.
# Usage: notification_server.py RECORD_FILE
import json
import signal
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"
PATH = "/org/freedesktop/Notifications"


class Server(dbus.service.Object):
    def __init__(self, bus, record):
        super().__init__(bus, PATH)
        self.record = record
        self.last = 0

    @dbus.service.method(NAME, in_signature="", out_signature="as")
    def GetCapabilities(self):
        return ["body", "actions"]

    @dbus.service.method(NAME, in_signature="", out_signature="ssss")
    def GetServerInformation(self):
        return ("k2-test", "kalendo2", "1", "1.2")

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        self.last += 1
        with open(self.record, "a", encoding="utf-8") as f:
            f.write(json.dumps({"app": str(app), "summary": str(summary), "body": str(body),
                                "actions": [str(a) for a in actions], "id": self.last},
                               ensure_ascii=False) + "\n")
        return dbus.UInt32(self.last)

    @dbus.service.method(NAME, in_signature="u", out_signature="")
    def CloseNotification(self, nid):
        self.NotificationClosed(nid, 3)

    @dbus.service.signal(NAME, signature="us")
    def ActionInvoked(self, nid, key):
        pass

    @dbus.service.signal(NAME, signature="uu")
    def NotificationClosed(self, nid, reason):
        pass


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    server = Server(bus, sys.argv[1])
    name = dbus.service.BusName(NAME, bus, do_not_queue=True)  # noqa: F841 (kept while serving)
    loop = GLib.MainLoop()
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1,
                         lambda: server.ActionInvoked(dbus.UInt32(server.last), "default") or True)
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, lambda: loop.quit() or False)
    loop.run()


main()
