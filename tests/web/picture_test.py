"""The same picture in the browser as on the desktop: the page's last frame
of ?timedemo=300 against the desktop demonstration's `--timedemo 300 --shot`,
both at 1024 x 768, compared pixel by pixel outside the frame counter's box.
At least 99% of the pixels must lie within 12 levels on every channel (the
browser's rasteriser is not Mesa's). Prints the share reached.

    picture_test.py SITE-DIR SOURCE-DIR DEMO-BINARY

Needs DISPLAY for the desktop run (an Xvfb screen of 1024x768x24, as the
test command starts)."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from devtools import Browser, StaticServer, decode_png  # noqa: E402
import pictures  # noqa: E402

W, H = 1024, 768
FRAMES = 300
TOLERANCE = 12          # levels per channel
REQUIRED = 0.99         # share of the pixels within the tolerance
TIMEOUT = 300           # seconds for the page's timedemo (SwiftShader draws slowly)


def desktop_frame(source_dir, demo, work):
    run = os.path.join(work, "desktop")
    os.makedirs(run)
    shutil.copytree(os.path.join(source_dir, "data"), os.path.join(run, "data"))
    with open(os.path.join(run, "quorvel.conf"), "w") as f:
        f.write("[GraphicSystem]\nwidth=%d\nheight=%d\nbpp=32\nvsync=off\n" % (W, H))
    done = subprocess.run([demo, "--timedemo", str(FRAMES), "--shot", "shot.png"], cwd=run,
                          capture_output=True, text=True, timeout=180)
    if done.returncode != 0:
        raise RuntimeError("the desktop timedemo failed (exit %d): %s" % (done.returncode, done.stderr[-1000:]))
    print("desktop: " + done.stdout.strip(), flush=True)
    with open(os.path.join(run, "shot.png"), "rb") as f:
        return decode_png(f.read())


def page_frame(site, work):
    server = StaticServer(site)
    try:
        with Browser(width=W, height=H) as browser:
            browser.open(server.url("index.html?timedemo=%d" % FRAMES))
            line = browser.wait_for("document.getElementById('timedemo').textContent", TIMEOUT)
            if not line:
                raise RuntimeError("the page wrote no timedemo line in %d s; status '%s', errors %s" % (
                    TIMEOUT, browser.evaluate("document.getElementById('status').textContent"), browser.errors()))
            print("page:    " + line, flush=True)
            if not re.match(r"^timedemo: %d frames" % FRAMES, line):
                raise RuntimeError("the page's timedemo line does not count %d frames" % FRAMES)
            browser.pump(0.5)
            # The engine's picture, without the page's text over it.
            browser.evaluate("document.getElementById('panel').style.visibility = 'hidden'")
            png = browser.screenshot_png()
            with open(os.path.join(work, "page.png"), "wb") as f:
                f.write(png)
            picture = decode_png(png)
            errors = browser.errors()
            if errors:
                raise RuntimeError("console errors: %s" % errors)
            return picture
    finally:
        server.close()


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    site, source_dir, demo = sys.argv[1:]
    started = time.time()
    work = tempfile.mkdtemp(prefix="quorvel-web-picture.")
    try:
        desktop = desktop_frame(source_dir, demo, work)
        page = page_frame(site, work)
        if page[:2] != (W, H) or desktop[:2] != (W, H):
            print("FAIL: sizes: page %dx%d, desktop %dx%d, both must be %dx%d" % (page[0], page[1], desktop[0],
                                                                                    desktop[1], W, H))
            return 1
        agreed = pictures.agreement(page, desktop, pictures.COUNTER_BOX, TOLERANCE)
        identical = pictures.agreement(page, desktop, pictures.COUNTER_BOX, 0)
        verdict = "ok" if agreed >= REQUIRED else "FAIL"
        print("%s: %.3f%% of the pixels within %d levels per channel (at least %.0f%% required; %.1f%% identical), "
              "%.0f s" % (verdict, 100 * agreed, TOLERANCE, 100 * REQUIRED, 100 * identical, time.time() - started))
        if agreed < REQUIRED:
            # Both frames stay in the working directory for a look.
            shutil.copy(os.path.join(work, "desktop", "shot.png"), "desktop.png")
            shutil.copy(os.path.join(work, "page.png"), "page.png")
            print("the frames are kept: %s, %s" % (os.path.abspath("desktop.png"), os.path.abspath("page.png")))
        return 0 if agreed >= REQUIRED else 1
    except Exception as e:
        print("FAIL: %s" % e)
        return 1
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
