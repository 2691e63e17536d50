"""The page end to end in headless Chromium: it loads without errors, shows
the walk-through (sky, walls, floor, minimap, counter, crosshair), walks with
a held w, turns with the mouse under pointer lock, follows the window's size,
loads ?level=, takes and refuses dropped files, writes ?timedemo='s line, and
says so in words when the browser offers no WebGL.

    page_test.py SITE-DIR SOURCE-DIR

SITE-DIR is the built page (build-web/site), SOURCE-DIR the repository (for
the level files). Prints "ok:" or "FAIL:" per check; exit code 1 when any
check failed."""

import base64
import os
import re
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from devtools import Browser, StaticServer  # noqa: E402
import pictures  # noqa: E402
from pictures import has_colour, share  # noqa: E402

W, H = 1024, 768
START_TIMEOUT = 120      # seconds for the page to reach the engine's main loop (SwiftShader is slow)
LOWER_HALF = (0, H // 2, 860, H // 2 - 30)   # walls and floor, without the minimap and the counter
TIMEDEMO_LINE = re.compile(r"^timedemo: (\d+) frames in \d+\.\d{2} s, \d+\.\d fps, frame ms min \d+\.\d "
                           r"median \d+\.\d p99 \d+\.\d max \d+\.\d$")

CANVAS_SIZE = "(function (c) { return c.width + 'x' + c.height; })(document.getElementById('canvas'))"

failures = 0


def ok(text):
    print("ok: " + text, flush=True)


def fail(text):
    global failures
    failures += 1
    print("FAIL: " + text, flush=True)


def check(condition, text, detail=""):
    if condition:
        ok(text)
    else:
        fail(text + (": " + detail if detail else ""))
    return condition


def text_of(browser, element_id):
    return browser.evaluate("document.getElementById(%r).textContent" % element_id)


def log_text(browser):
    return text_of(browser, "log")


def start(browser, server, query=""):
    """Opens the page and waits for the engine's main loop; False when it does not get there."""
    browser.open(server.url("index.html" + query))
    running = browser.wait_for("document.getElementById('log').textContent.includes('Running main loop...')",
                               START_TIMEOUT)
    if not running:
        fail("%s: the engine did not reach its main loop in %d s; status '%s', errors %s, console %s, log:\n%s" %
             (query or "no query", START_TIMEOUT, text_of(browser, "status"), browser.errors(),
              browser.console_text()[-10:], log_text(browser)))
        return False
    browser.pump(1.5)  # a few frames drawn
    return True


def shot(browser):
    """The engine's picture, without the page's text over it."""
    browser.evaluate("document.getElementById('panel').style.visibility = 'hidden'")
    picture = browser.screenshot()
    browser.evaluate("document.getElementById('panel').style.visibility = ''")
    return picture


def drop(browser, name, data):
    """Drops a file of that name and content onto the page, as a user's drag and drop does."""
    browser.evaluate("""(function () {
        var bytes = Uint8Array.from(atob(%r), function (c) { return c.charCodeAt(0); });
        var transfer = new DataTransfer();
        transfer.items.add(new File([bytes], %r));
        document.dispatchEvent(new DragEvent('dragover', { dataTransfer: transfer, bubbles: true, cancelable: true }));
        document.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
    })()""" % (base64.b64encode(data).decode(), name))


def walked_down_minimap(picture):
    """The heading line has left the start cell and lies further down the map (as on the desktop)."""
    return (not has_colour(picture, 879, 2, 12, 14, 255, 0, 0) and
            has_colour(picture, 879, 20, 12, 140, 255, 0, 0))


def check_default_page(browser, server, source_dir):
    if not start(browser, server):
        return
    check(not browser.errors(), "the page loads with no error in the console", str(browser.errors()))
    check(browser.evaluate("document.getElementById('status').className") != "error",
          "the status line shows no failure", text_of(browser, "status"))
    check(browser.evaluate(CANVAS_SIZE) == "%dx%d" % (W, H),
          "the canvas's drawing buffer is the window's size",
          browser.evaluate(CANVAS_SIZE))
    log = log_text(browser)
    console = browser.console_text()
    check("Running main loop..." in console and "Application initialising..." in console,
          "the log's lines reach the browser console", str(console[:10]))
    check(log.startswith("Application initialising...") and browser.evaluate(
        "document.getElementById('log').hidden"), "the whole log is in the hidden log element", log[:200])
    browser.evaluate("document.getElementById('log-toggle').click()")
    check(not browser.evaluate("document.getElementById('log').hidden"), "the log link shows the log")
    browser.evaluate("document.getElementById('log-toggle').click()")

    picture = shot(browser)
    sky = share(picture, pictures.is_sky, (0, 0, 860, H // 2))
    bricks = share(picture, pictures.is_brick, (0, 0, 860, H))
    floor = share(picture, pictures.is_floor, (0, H - H // 4, W, H // 4 - 30))
    check(sky > 0.05, "blue sky above the horizon (%.0f%% of the upper half)" % (100 * sky))
    check(bricks > 0.05, "brick walls (%.0f%% of the picture)" % (100 * bricks))
    check(floor > 0.3, "stone floor below the horizon (%.0f%% of the bottom quarter)" % (100 * floor))
    check(has_colour(picture, 879, 2, 6, 6, 128, 128, 128), "the minimap's grey background at the top right")
    check(has_colour(picture, 896, 76, 8, 8, 178, 102, 0), "a solid cell orange on the minimap")
    check(has_colour(picture, 882, 4, 8, 10, 255, 0, 0), "the heading line at the start cell")
    bad = pictures.minimap_mismatches(picture, pictures.read_level(os.path.join(source_dir, "data/levels/builtin.lvl")))
    check(not bad, "the minimap shows the built-in level cell by cell", str(bad[:5]))
    check(has_colour(picture, 480, 750, 64, 18, 255, 255, 255), "the frames-per-second counter at the bottom")
    check(has_colour(picture, 502, 383, 8, 3, 255, 255, 255) and has_colour(picture, 511, 387, 3, 8, 255, 255, 255),
          "the crosshair's white arms at the centre")

    # Nothing moves without input (the clouds do, the walls and floor do not).
    browser.pump(0.5)
    still = shot(browser)
    change = pictures.changed_share(picture, still, LOWER_HALF)
    check(change < 0.01, "without input the walls and floor stay (%.1f%% changed)" % (100 * change))

    # The engine's message box: an overlay with the text; OK closes it.
    browser.evaluate("Module.quorvelShowMessage('Level', 'A <b>test</b> message')")
    check(not browser.evaluate("document.getElementById('message').hidden") and
          text_of(browser, "message-text") == "A <b>test</b> message",
          "a message box shows as an overlay, its text as plain text")
    browser.evaluate("document.getElementById('message-ok').click()")
    check(browser.evaluate("document.getElementById('message').hidden"), "OK closes the message box")

    hint = text_of(browser, "hint")
    check("Click to look around" in hint and "Escape releases the mouse" in hint and "close the tab to quit" in hint,
          "the page says how to capture and release the mouse and how to quit", hint)

    # A click captures the mouse.
    browser.click(W // 2, H // 2)
    browser.pump(0.5)
    check(browser.evaluate("document.pointerLockElement === document.getElementById('canvas')"), "a click on the canvas captures the mouse")
    check(browser.evaluate("getComputedStyle(document.getElementById('hint')).display") == "none",
          "the hint steps aside while the mouse is captured")

    # A held w walks forward: the view changes and the player moves down the minimap.
    browser.hold_key("w", 1.0)
    browser.pump(0.5)
    walked = shot(browser)
    change = pictures.changed_share(still, walked, LOWER_HALF)
    check(change > 0.05, "a held w moves the view (%.0f%% of the walls and floor changed)" % (100 * change))
    check(walked_down_minimap(walked), "a held w moves the player down the minimap")

    # Leaving the window lets go of a held key: the player stops.
    browser.key("w", True)
    browser.pump(0.3)
    walking = shot(browser)
    browser.pump(0.3)
    change = pictures.changed_share(walking, shot(browser), LOWER_HALF)
    check(change > 0.05, "with w held the player walks on (%.0f%% changed)" % (100 * change))
    browser.evaluate("window.dispatchEvent(new FocusEvent('blur'))")
    browser.pump(0.3)
    left = shot(browser)
    browser.pump(1.0)
    later = shot(browser)
    browser.key("w", False)
    browser.evaluate("window.dispatchEvent(new FocusEvent('focus'))")
    browser.pump(0.3)
    change = pictures.changed_share(left, later, LOWER_HALF)
    check(change < 0.01, "leaving the window lets go of a held w: the player stops (%.1f%% changed)" % (100 * change))

    # A mouse move under pointer lock turns the view; the player stays where he is.
    browser.mouse("mouseMoved", W // 2, H // 2)
    browser.pump(0.2)
    before = shot(browser)
    for step in range(1, 11):
        browser.mouse("mouseMoved", W // 2 + 30 * step, H // 2)
        browser.pump(0.05)
    browser.pump(0.5)
    turned = shot(browser)
    change = pictures.changed_share(before, turned, LOWER_HALF)
    check(change > 0.05, "a mouse move under pointer lock turns the view (%.0f%% changed)" % (100 * change))

    # Escape belongs to the browser: it releases the mouse; the engine runs on.
    browser.evaluate("document.exitPointerLock()")  # what the browser does on Escape
    browser.pump(0.3)
    check(not browser.evaluate("document.pointerLockElement"), "the mouse is released")

    # A dropped file the level reader refuses: its log line on the page, and the walk goes on.
    lines_before = log_text(browser).count("\n")
    drop(browser, "not-a-level.lvl", b"this is not a level\n")
    status = browser.wait_for("(function (t) { return /walk goes on/i.test(t) && t; })"
                              "(document.getElementById('status').textContent)", 10)
    check(bool(status) and status.startswith("Dropped 'not-a-level.lvl':"),
          "a refused dropped file shows its log line on the page", str(status or text_of(browser, "status")))
    check(log_text(browser).count("\n") > lines_before, "the refusal is in the log")
    check(browser.evaluate("FS.analyzePath('/dropped/1.lvl').exists"), "the dropped file went to /dropped/1.lvl")
    before = shot(browser)
    browser.hold_key("s", 0.8)
    browser.pump(0.3)
    after = shot(browser)
    change = pictures.changed_share(before, after, LOWER_HALF)
    check(change > 0.05, "after the refused file the walk goes on (%.0f%% changed walking back)" % (100 * change))

    # A file over 1 MiB is refused by the page and never read.
    drop(browser, "huge.lvl", b"#" * (1024 * 1024 + 1))
    browser.pump(0.5)
    status = text_of(browser, "status")
    check("1 MiB" in status and "huge.lvl" in status, "a file over 1 MiB is refused with a message", status)
    check(not browser.evaluate("FS.analyzePath('/dropped/2.lvl').exists"), "the file over 1 MiB is not handed over")

    # A good level dropped: the walk restarts in it (its minimap).
    maze = os.path.join(source_dir, "data/levels/maze32.lvl")
    with open(maze, "rb") as f:
        drop(browser, "my maze.lvl", f.read())
    browser.pump(3)
    picture = shot(browser)
    bad = pictures.minimap_mismatches(picture, pictures.read_level(maze))
    check(not bad, "a dropped level restarts the walk in it (its minimap)", "%d cells differ: %s" % (len(bad), bad[:5]))
    check(not browser.errors(), "no console error after the drops", str(browser.errors()))

    # The canvas follows the window's size; the minimap stays in the corner.
    browser.set_size(800, 600)
    browser.pump(1.5)
    size = browser.evaluate(CANVAS_SIZE)
    check(size == "800x600", "the drawing buffer follows the window's size", size)
    small = shot(browser)
    check(small[0] == 800 and has_colour(small, 800 - 800 // 7 + 2, 2, 6, 6, 128, 128, 128),
          "after the resize the minimap is in the top-right corner")
    browser.set_size(W, H)


def check_level_query(browser, server, source_dir):
    if not start(browser, server, "?level=levels/maze32.lvl"):
        return
    picture = shot(browser)
    maze = pictures.read_level(os.path.join(source_dir, "data/levels/maze32.lvl"))
    builtin = pictures.read_level(os.path.join(source_dir, "data/levels/builtin.lvl"))
    bad = pictures.minimap_mismatches(picture, maze)
    check(not bad, "?level=levels/maze32.lvl: the minimap shows that level", "%d cells differ: %s" % (len(bad), bad[:5]))
    check(len(pictures.minimap_mismatches(picture, builtin)) > 10,
          "?level=levels/maze32.lvl: the minimap is not the built-in level's")
    check(not browser.errors(), "?level=: no console error", str(browser.errors()))

    # A file that is not there: the refusal logged, the built-in level walked.
    if not start(browser, server, "?level=levels/none-such.lvl"):
        return
    log = log_text(browser)
    check("none-such.lvl" in log, "?level= of a missing file: the log names it",
          "\n".join(log.splitlines()[:15]))
    bad = pictures.minimap_mismatches(shot(browser), builtin)
    check(not bad, "?level= of a missing file: the built-in level instead", str(bad[:5]))


def check_bad_query(browser, server):
    """A query the engine cannot use: its word on the page, the walk runs without it."""
    if not start(browser, server, "?timedemo=abc"):
        return
    status = text_of(browser, "status")
    check(status.startswith("In the address: ") and "timedemo" in status,
          "?timedemo=abc: the engine's refusal shows on the page", status)
    check("timedemo" not in text_of(browser, "timedemo"), "?timedemo=abc: no timedemo is run")


def check_timedemo(browser, server):
    browser.open(server.url("index.html?timedemo=60"))
    line = browser.wait_for("document.getElementById('timedemo').textContent", START_TIMEOUT)
    match = TIMEDEMO_LINE.match(line or "")
    check(bool(match) and match.group(1) == "60", "?timedemo=60 writes its line into the page", str(line))
    check(line in browser.console_text(), "the timedemo line is in the browser console")
    browser.pump(0.5)
    check(line in log_text(browser), "the timedemo line is in the log")
    check(not browser.errors(), "?timedemo=: no console error", str(browser.errors()))


def check_no_webgl(server):
    with Browser(["--disable-webgl", "--disable-3d-apis"]) as browser:
        browser.open(server.url("index.html"))
        browser.pump(2)
        status = text_of(browser, "status")
        check("needs WebGL" in status, "without WebGL the page says so in words", status)
        check(not browser.evaluate("Module.calledRun"), "without WebGL the engine is not started")
        check(not browser.errors(), "without WebGL: no console error", str(browser.errors()))


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    site, source_dir = sys.argv[1], sys.argv[2]
    if not os.path.isfile(os.path.join(site, "index.html")):
        fail("no page at %s/index.html (bash scripts/web.sh --build-only builds it)" % site)
        return 1
    started = time.time()
    server = StaticServer(site)
    try:
        # One browser at a time: this one, then the one without WebGL.
        with Browser(width=W, height=H) as browser:
            for case in (lambda: check_default_page(browser, server, source_dir),
                         lambda: check_level_query(browser, server, source_dir),
                         lambda: check_bad_query(browser, server),
                         lambda: check_timedemo(browser, server)):
                try:
                    case()
                except Exception as e:  # a broken case must not hide the others
                    fail("the case stopped: %s" % e)
        check_no_webgl(server)
    finally:
        server.close()
    print("page tests: %d failure(s), %.0f s" % (failures, time.time() - started))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
