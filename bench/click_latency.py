#!/usr/bin/env python3
"""Times what a user sees: the real editor on the display $DISPLAY, input sent
with xdotool, each action timed from the moment its xdotool starts until the
watched pixels change (read back through X). Prints the median and worst of 20
for each action. Run by scripts/click-latency.

Usage: click_latency.py EDITOR PROJECT   (the project's tile 0 is red, the rest black)
"""
import ctypes
import statistics
import subprocess
import sys
import time

SAMPLES = 20
LAYOUT_W, LAYOUT_H = 1806, 995

x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                          ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]


class XImageHead(ctypes.Structure):
    """The leading fields of Xlib's XImage, up to bytes_per_line."""
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int)]


x11.XFree.argtypes = [ctypes.c_void_p]
display = x11.XOpenDisplay(None)
root = x11.XDefaultRootWindow(display)
Z_PIXMAP, ALL_PLANES = 2, 0xFFFFFFFF


def pixels(box):
    """The bytes of a screen rectangle (x, y, width, height)."""
    x, y, w, h = box
    image = x11.XGetImage(display, root, x, y, w, h, ALL_PLANES, Z_PIXMAP)
    head = XImageHead.from_address(image)
    data = ctypes.string_at(head.data, head.bytes_per_line * head.height)
    x11.XFree(ctypes.c_void_p(head.data))
    x11.XFree(ctypes.c_void_p(image))
    return data


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, check=True).stdout


def wait_for_window(title, limit=30):
    """The id of the first top-level window whose title holds `title`
    (read with xwininfo: xdotool misses openMSX's title)."""
    start = time.monotonic()
    while time.monotonic() - start < limit:
        tree = subprocess.run(["xwininfo", "-root", "-children"], capture_output=True, text=True).stdout
        for line in tree.splitlines():
            parts = line.split('"')
            if len(parts) > 1 and title in parts[1]:
                return line.split()[0]
        time.sleep(0.2)
    raise RuntimeError(f"no window titled {title}")


def window_box(window):
    out = xdotool("getwindowgeometry", "--shell", window)
    geometry = dict(line.split("=") for line in out.split() if "=" in line)
    return tuple(int(geometry[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))


class Layout:
    """Maps the editor's layout coordinates into the window, as the editor scales it."""

    def __init__(self, box):
        x, y, w, h = box
        self.s = min(w / LAYOUT_W, h / LAYOUT_H)
        self.x0 = x + (w - LAYOUT_W * self.s) / 2
        self.y0 = y + (h - LAYOUT_H * self.s) / 2

    def at(self, lx, ly):
        return int(self.x0 + lx * self.s), int(self.y0 + ly * self.s)

    def box(self, lx, ly, lw, lh):
        x, y = self.at(lx, ly)
        return x, y, max(1, int(lw * self.s)), max(1, int(lh * self.s))


def settled(box, quiet=0.15, limit=3.0):
    """Waits until the box shows the same pixels for `quiet` seconds; gives them."""
    last, since, start = pixels(box), time.monotonic(), time.monotonic()
    while time.monotonic() - start < limit:
        time.sleep(0.02)
        now = pixels(box)
        if now != last:
            last, since = now, time.monotonic()
        elif time.monotonic() - since >= quiet:
            break
    return last


def time_until_change(box, before, send, release=None, limit=2.0):
    """Milliseconds from `send` until the box differs from `before`; `release`
    follows 40 ms after the press when the change has not come by then."""
    start = time.monotonic()
    send()
    released = release is None
    while True:
        elapsed = time.monotonic() - start
        if pixels(box) != before:
            if not released:
                release()
            return 1000 * elapsed
        if not released and elapsed > 0.04:
            release()
            released = True
        if elapsed > limit:
            return float("inf")


def click_and_time(point, watched):
    xdotool("mousemove", str(point[0]), str(point[1]))
    before = settled(watched)
    return time_until_change(watched, before, lambda: xdotool("mousedown", "1"), lambda: xdotool("mouseup", "1"))


def click(point):
    xdotool("mousemove", str(point[0]), str(point[1]))
    time.sleep(0.2)
    xdotool("click", "1")
    time.sleep(0.3)


# The Table Studio's screen: cell (column, row) in layout coordinates.
def screen_cell(column, row):
    return 418 + 37.85 * column, 58 + 37.9 * row, 34, 34


def cells(first_row):
    """20 black cells of the top third (whose set holds the red tile), none under another's tooltip."""
    return [(2 + 3 * (i % 10), first_row + 4 * (i // 10)) for i in range(SAMPLES)]


def report(name, times):
    print(f"  {name:<42} median {statistics.median(times):6.1f} ms   worst {max(times):6.1f} ms", flush=True)


def main():
    editor, project = sys.argv[1], sys.argv[2]
    app = subprocess.Popen([editor, project], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        layout = Layout(window_box(wait_for_window(" - Tessellary")))
        time.sleep(1.5)
        table_tab, tile_tab = layout.at(246, 36), layout.at(153, 36)
        click(table_tab)
        click(layout.at(87, 676))  # BRUSH, its tile 000

        def brush_clicks():
            times = []
            for column, row in cells(3):
                x, y, w, h = screen_cell(column, row)
                watched = layout.box(x, y, w, h / 2)  # the half above the pointer: no tooltip there
                times.append(click_and_time(layout.at(x + w / 2, y + h * 0.75), watched))
            return times

        report("a brush click on the Table Studio's screen", brush_clicks())
        # The tabs in turn, the studio's middle watched.
        watched = layout.box(700, 300, 200, 200)
        tab_times = []
        for i in range(SAMPLES):
            tab_times.append(click_and_time(tile_tab if i % 2 == 0 else table_tab, watched))
        report("a tab switch", tab_times)

        # The Tile Studio's canvas, white chosen: pixels of tile 0 (red) turn white.
        click(tile_tab)
        click(layout.at(54, 399))
        pixel_times = []
        for i in range(SAMPLES):
            px, py = (i % 5) * 1.5, (i // 5) * 1.5
            x, y = 142 + 22.65 * int(px), 75 + 22.65 * int(py)
            watched = layout.box(x + 2, y + 2, 18, 9)
            pixel_times.append(click_and_time(layout.at(x + 11, y + 16), watched))
        report("a pixel on the Tile Studio's canvas", pixel_times)

        # The live link: F5, then brush clicks watched in openMSX's window.
        click(table_tab)
        xdotool("key", "F5")
        window = wait_for_window("openMSX")
        xdotool("windowmove", window, "1280", "600")  # off the cells clicked
        time.sleep(0.5)
        emulator = window_box(window)
        time.sleep(6)  # the machine boots and takes the first upload
        link_times = []
        for column, row in cells(1):  # cells the brush has not painted
            x, y, w, h = screen_cell(column, row)
            xdotool("mousemove", *map(str, layout.at(x + w / 2, y + h / 2)))
            before = settled(emulator, quiet=0.3)
            link_times.append(
                time_until_change(emulator, before, lambda: xdotool("mousedown", "1"), lambda: xdotool("mouseup", "1")))
        report("the same click reaching openMSX's window", link_times)
    finally:
        app.terminate()
        try:
            app.wait(5)
        except subprocess.TimeoutExpired:
            app.kill()


if __name__ == "__main__":
    main()
