#!/usr/bin/python3
"""A real drag and drop between X clients, for the end-to-end suite: drops PATH, as a
text/uri-list, on the top-level window under the screen point X Y, the way a file manager
does (the XDND protocol, which Wine turns into WM_DROPFILES for a window that accepts files).

Usage: xdnd_drop.py X Y PATH. Prints "dropped" once the target has finished with the drop,
"refused" when it would not take it, "timeout" when it did not answer; exits 0 for dropped.
Needs Debian's python3-xlib (run it with /usr/bin/python3)."""
import sys
import time
import urllib.parse
from pathlib import Path

from Xlib import X, display
from Xlib.protocol import event

WAIT = 5.0  # seconds for each answer of the target
VERSION = 5


def main():
    x, y, path = int(sys.argv[1]), int(sys.argv[2]), Path(sys.argv[3]).resolve()
    d = display.Display()
    root = d.screen().root
    atom = lambda name: d.intern_atom(name)
    uri_list, selection = atom("text/uri-list"), atom("XdndSelection")
    data = ("file://" + urllib.parse.quote(str(path)) + "\r\n").encode()

    # The pointer is moved there too, as a drag would; the target is the top level below it.
    root.warp_pointer(x, y)
    d.sync()
    target = root.query_pointer().child
    if not target:
        print("no window at the point")
        return 2
    source = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent, X.InputOnly)
    source.set_selection_owner(selection, X.CurrentTime)

    def send(name, l):
        message = event.ClientMessage(window=target, client_type=atom(name),
                                      data=(32, (source.id,) + tuple(l)))
        target.send_event(message, event_mask=0)
        d.flush()

    def serve(e):
        # The target asks for the data as the drag enters, or at the drop.
        if e.type != X.SelectionRequest:
            return
        prop = e.property or e.target
        if e.target == uri_list:
            e.requestor.change_property(prop, uri_list, 8, data)
        else:
            prop = X.NONE
        e.requestor.send_event(event.SelectionNotify(
            time=e.time, requestor=e.requestor, selection=e.selection, target=e.target,
            property=prop), event_mask=0)
        d.flush()

    def wait_for(name):
        deadline = time.time() + WAIT
        while time.time() < deadline:
            while d.pending_events():
                e = d.next_event()
                serve(e)
                if e.type == X.ClientMessage and e.client_type == atom(name):
                    return e
            time.sleep(0.01)
        return None

    send("XdndEnter", [VERSION << 24, uri_list, 0, 0])
    send("XdndPosition", [0, (x << 16) | y, X.CurrentTime, atom("XdndActionCopy")])
    status = wait_for("XdndStatus")
    if status is None:
        print("timeout")
        return 1
    if not status.data[1][1] & 1:
        send("XdndLeave", [0, 0, 0, 0])
        print("refused")
        return 1
    send("XdndDrop", [0, X.CurrentTime, 0, 0])
    if wait_for("XdndFinished") is None:
        print("timeout")
        return 1
    print("dropped")
    return 0


if __name__ == "__main__":
    sys.exit(main())
