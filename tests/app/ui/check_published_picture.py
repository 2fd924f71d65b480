#!/usr/bin/env python3
"""Looks at a picture of a published course as a learner's browser shows it.

    check_published_picture.py STANDALONE_FOLDER ALT_TEXT WIDTH HEIGHT SHOT

The standalone course page is loaded from the file system in headless Chromium; its first screen must show
a picture whose alternative text is ALT_TEXT, loaded (not a broken image) and laid out WIDTH x HEIGHT pixels,
without any console error, uncaught exception or missing file. A picture of the screen is kept in SHOT.
Exits 77 (skipped) without Chromium.
"""

import json
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.dont_write_bytecode = True
sys.path.insert(0, str(HERE.parent.parent / "publish" / "startpage"))
from check_start_page import problems_of, open_page, save_screenshot, run_in_browser  # noqa: E402


PICTURES = """JSON.stringify(Array.from(document.querySelectorAll("#kvxMain img")).map(img => ({
    alt: img.getAttribute("alt"), title: img.getAttribute("title"), src: img.getAttribute("src"),
    loaded: img.complete && img.naturalWidth > 0,
    width: Math.round(img.getBoundingClientRect().width), height: Math.round(img.getBoundingClientRect().height)
})))"""


def main():
    if len(sys.argv) != 6:
        print(__doc__)
        return 2
    standalone, alt, width, height, shot = sys.argv[1:]

    def drive(browser):
        failures = []
        session = open_page(browser)
        page = pathlib.Path(standalone) / "content" / "ind.htm"
        browser.send("Page.navigate", {"url": page.as_uri()}, session=session)
        browser.wait_for("Page.loadEventFired")
        browser.drain(1.5)
        result = browser.send("Runtime.evaluate", {"expression": PICTURES, "returnByValue": True},
                              session=session)["result"]["value"]
        pictures = json.loads(result)
        print("pictures: " + json.dumps(pictures))
        matching = [p for p in pictures if p["alt"] == alt]
        if not matching:
            failures.append("no picture with the alternative text %r" % alt)
        else:
            picture = matching[0]
            if not picture["loaded"]:
                failures.append("the picture %r did not load" % picture["src"])
            if (picture["width"], picture["height"]) != (int(width), int(height)):
                failures.append("the picture is %dx%d, not %sx%s" % (picture["width"], picture["height"],
                                                                   width, height))
        save_screenshot(browser, session, shot)
        failures += problems_of(browser.events)
        return failures

    return run_in_browser(drive, "The picture shows with its alternative text.")


if __name__ == "__main__":
    sys.exit(main())
