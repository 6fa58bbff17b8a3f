#!/usr/bin/python3
"""Waits for the window's readiness notice, as a service manager does: binds
the Unix datagram socket SOCKET (the window's NOTIFY_SOCKET: a path, or
"@name" in the abstract namespace, which any user can reach), prints
"listening", and prints "ready" once a datagram with the line READY=1
arrives. Exit status 0 when it came within SECONDS, 1 when not.
Usage: await_ready.py SOCKET SECONDS"""
import socket
import sys

name, seconds = sys.argv[1], float(sys.argv[2])
listener = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
listener.bind("\0" + name[1:] if name.startswith("@") else name)
listener.settimeout(seconds)
print("listening", flush=True)
try:
    while b"READY=1" not in listener.recv(4096).split(b"\n"):
        pass
except socket.timeout:
    sys.exit(f"await_ready: no READY=1 on {name} within {seconds:g} s")
print("ready", flush=True)
