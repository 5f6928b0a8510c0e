#!/usr/bin/env python3
"""A pseudo-terminal that echoes every byte back: the peer of the Windows port
tests. Prints the device name on the first line, then echoes until killed."""
import os
import pty
import tty

master, slave = pty.openpty()
tty.setraw(master)
tty.setraw(slave)
print(os.ttyname(slave), flush=True)
while True:
    os.write(master, os.read(master, 4096))
