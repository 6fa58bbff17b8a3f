# A notification service for the tests: owns org.freedesktop.Notifications
# on the session bus and appends each Notify call to a file as a JSON line,
# each GetCapabilities call (the window asks before it announces) to
# RECORD_FILE.asked.
# SIGUSR1 clicks the last notification (its default action). No body markup.
# Usage: notification_server.py RECORD_FILE
import json, signal, sys

import dbus, dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME, PATH = "org.freedesktop.Notifications", "/org/freedesktop/Notifications"


class Server(dbus.service.Object):
    last = 0

    @dbus.service.method(NAME, in_signature="", out_signature="as")
    def GetCapabilities(self):
        with open(sys.argv[1] + ".asked", "a", encoding="utf-8") as f:
            print("GetCapabilities", file=f)  # the window means to announce
        return ["body", "actions"]

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        self.last += 1
        with open(sys.argv[1], "a", encoding="utf-8") as f:
            print(json.dumps({"app": app, "summary": summary, "body": body, "actions": list(actions)},
                             ensure_ascii=False), file=f)
        return dbus.UInt32(self.last)

    @dbus.service.signal(NAME, signature="us")
    def ActionInvoked(self, nid, key):
        pass


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
server = Server(bus, PATH)
name = dbus.service.BusName(NAME, bus, do_not_queue=True)
GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1,
                     lambda: server.ActionInvoked(dbus.UInt32(server.last), "default") or True)
GLib.MainLoop().run()
